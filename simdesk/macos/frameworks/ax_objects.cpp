#include "ax_objects.h"

#include <cstring>
#include <functional>
#include <string_view>

#include "simdesk/desktop.h"

namespace simdesk::macos {

ValueObject::ValueObject(AXValueType kind, const void* data) : Object(typeId()), kind_(kind) {
  if (data != nullptr) std::memcpy(bytes_.data(), data, sizeOf(kind));
}

CFTypeID ValueObject::typeId() {
  static const CFTypeID id = typeNamed("AXValue");
  return id;
}

std::size_t ValueObject::sizeOf(AXValueType kind) {
  switch (kind) {
    case kAXValueTypeCGPoint:
      return sizeof(CGPoint);
    case kAXValueTypeCGSize:
      return sizeof(CGSize);
    case kAXValueTypeCGRect:
      return sizeof(CGRect);
    case kAXValueTypeCFRange:
      return sizeof(CFRange);
    case kAXValueTypeAXError:
      return sizeof(::AXError);
    default:
      return 0;
  }
}

bool ValueObject::equals(const Object& other) const {
  const auto& o = static_cast<const ValueObject&>(other);
  return o.kind_ == kind_ && std::memcmp(o.bytes_.data(), bytes_.data(), sizeOf(kind_)) == 0;
}

std::size_t ValueObject::hash() const {
  return std::hash<std::string_view>{}(
      std::string_view(reinterpret_cast<const char*>(bytes_.data()), sizeOf(kind_)));
}

RequestElement::RequestElement(AXUIElementRef element, const char* function)
    : object_(as<ElementObject>(element, function)), systemWide_(simdesk::Desktop::get().requestLimit()) {
  if (object_.messagingTimeout > 0) simdesk::Desktop::get().setRequestLimit(object_.messagingTimeout);
}

RequestElement::~RequestElement() { simdesk::Desktop::get().setRequestLimit(systemWide_); }

AXUIElementRef makeElement(axt::platform::Element element) {
  return refOf<AXUIElementRef>(keep(std::make_unique<ElementObject>(std::move(element))));
}

AXTextMarkerRef makeMarker(axt::platform::TextMarker marker) {
  return refOf<AXTextMarkerRef>(keep(std::make_unique<MarkerObject>(std::move(marker))));
}

AXTextMarkerRangeRef makeMarkerRange(axt::platform::TextMarkerRange range) {
  return refOf<AXTextMarkerRangeRef>(keep(std::make_unique<MarkerRangeObject>(std::move(range))));
}

}  // namespace simdesk::macos
