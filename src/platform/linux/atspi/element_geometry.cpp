#include "atspi/element_geometry.h"

#include "atspi/atspi_session.h"
#include "atspi/object_failure.h"
#include "glue/gobject_ref.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;
using platform::AXValue;

platform::AXError readExtent(AtspiSession& session, Observers& observers, AtspiAccessible* a, Extent extent,
                             std::optional<platform::Value>& out) {
  GRef<AtspiComponent> component = GRef<AtspiComponent>::adopt(atspi_accessible_get_component_iface(a));
  if (!component) return axerr::kAttributeUnsupported;
  const AppRequest request(session, a);
  if (request.refused()) return axerr::kCannotComplete;
  GErrorHolder error;
  GBoxed<AtspiRect> rect(atspi_component_get_extents(component.get(), ATSPI_COORD_TYPE_SCREEN, error.out()));
  if (error || !rect) return objectFailure(session, observers, error, a);
  if (extent == Extent::kPosition) {
    out = platform::Value(AXValue(platform::Point{static_cast<double>(rect->x), static_cast<double>(rect->y)}));
  } else {
    out = platform::Value(
        AXValue(platform::Size{static_cast<double>(rect->width), static_cast<double>(rect->height)}));
  }
  return axerr::kSuccess;
}

}  // namespace axt::lindesk
