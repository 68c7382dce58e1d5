#include "atspi/gone_objects.h"

#include <cstdint>
#include <string_view>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "atspi/event_registration.h"
#include "logic/observers.h"

namespace axt::lindesk {

bool noteGone(AtspiSession& session, Observers& observers, Applications& applications, const AtspiEvent& event) {
  const std::string_view type = event.type;
  if (type.starts_with(kDefunctEvent)) {
    if (event.detail1 != 0) observers.objectGone(keyOf(event.source), session.connectionNumber());
    return true;
  }
  if (!type.starts_with(kChildRemovedEvent)) return false;
  if (!G_VALUE_HOLDS_OBJECT(&event.any_data)) return true;
  auto* child = ATSPI_ACCESSIBLE(g_value_get_object(&event.any_data));
  if (child == nullptr) return true;
  const ObjectKey key = keyOf(child);
  if (keyOf(event.source).busName == kRegistryBusName) {
    observers.applicationGone(key.busName);
    applications.applicationGone(key.busName);
    return true;
  }
  // A child taken out of its parent may be put in another (a toolkit moving
  // a widget): it is gone only when it says so.
  const std::uint64_t bus = session.connectionNumber();
  if (observers.holdsObject(key, bus) && isDefunct(session, child)) observers.objectGone(key, bus);
  return true;
}

}  // namespace axt::lindesk
