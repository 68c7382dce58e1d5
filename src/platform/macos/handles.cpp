#include "handles.h"

#include <memory>

namespace axt::macdesk {

namespace {

template <class Seam, class HandleType, class T>
Seam wrap(CFRef<T> ref) {
  if (!ref) return Seam();
  return Seam(std::make_shared<const HandleType>(std::move(ref)));
}

}  // namespace

platform::Element wrapElement(CFRef<AXUIElementRef> ref) {
  return wrap<platform::Element, ElementHandle>(std::move(ref));
}

platform::TextMarker wrapMarker(CFRef<AXTextMarkerRef> ref) {
  return wrap<platform::TextMarker, MarkerHandle>(std::move(ref));
}

platform::TextMarkerRange wrapMarkerRange(CFRef<AXTextMarkerRangeRef> ref) {
  return wrap<platform::TextMarkerRange, MarkerRangeHandle>(std::move(ref));
}

}  // namespace axt::macdesk
