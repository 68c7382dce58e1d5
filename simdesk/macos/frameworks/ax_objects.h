// The accessibility objects of the simulated frameworks: elements, text
// markers and marker ranges stand for the simulated desktop's own (which
// decide their identity, as the system's do), and wrapped values hold a
// copy of a geometric structure. Values of kinds the library has no use for
// become opaque objects of a type of that name.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include <array>
#include <cstddef>
#include <string>

#include "cf_object.h"
#include "platform/platform.h"
#include "seam_object.h"

namespace simdesk::macos {

inline constexpr char kElementName[] = "AXUIElement";
inline constexpr char kMarkerName[] = "AXTextMarker";
inline constexpr char kMarkerRangeName[] = "AXTextMarkerRange";

// The system-wide element stands for no element of the desktop. An element
// object keeps the messaging timeout set on it (0: none of its own, the
// system-wide one applies), as the system's do.
class ElementObject final : public SeamObject<axt::platform::Element, kElementName> {
 public:
  using SeamObject::SeamObject;
  float messagingTimeout = 0;
};
using MarkerObject = SeamObject<axt::platform::TextMarker, kMarkerName>;
using MarkerRangeObject = SeamObject<axt::platform::TextMarkerRange, kMarkerRangeName>;

class ValueObject final : public Object {
 public:
  ValueObject(AXValueType kind, const void* data);
  static CFTypeID typeId();
  static std::size_t sizeOf(AXValueType kind);

  AXValueType kind() const { return kind_; }
  const void* data() const { return bytes_.data(); }
  bool equals(const Object& other) const override;
  std::size_t hash() const override;

 private:
  AXValueType kind_;
  std::array<unsigned char, sizeof(CGRect)> bytes_{};
};

// A value of a type the library only names.
class OpaqueObject final : public Object {
 public:
  explicit OpaqueObject(CFTypeID type) : Object(type) {}
};

// A request's element, and the limit the desktop waits for its
// application while the request lasts: the element's own messaging timeout
// in place of the system-wide one, when it has one.
class RequestElement {
 public:
  RequestElement(AXUIElementRef element, const char* function);
  ~RequestElement();
  RequestElement(const RequestElement&) = delete;
  RequestElement& operator=(const RequestElement&) = delete;

  const axt::platform::Element& ref() const { return object_.ref(); }

 private:
  const ElementObject& object_;
  double systemWide_;
};

// New objects (one reference, the caller's) for the desktop's references.
AXUIElementRef makeElement(axt::platform::Element element);
AXTextMarkerRef makeMarker(axt::platform::TextMarker marker);
AXTextMarkerRangeRef makeMarkerRange(axt::platform::TextMarkerRange range);

}  // namespace simdesk::macos
