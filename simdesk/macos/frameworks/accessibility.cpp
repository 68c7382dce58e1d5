// The accessibility interface: elements and their attributes, wrapped
// values, text markers and trust, each request handed to the simulated
// desktop with the library's objects turned into the desktop's references
// and its answers into new objects the library owns (the copy rule).
#include <ApplicationServices/ApplicationServices.h>

#include <cstring>
#include <optional>
#include <vector>

#include "ax_objects.h"
#include "cf_collections.h"
#include "simdesk/desktop.h"
#include "cf_strings.h"
#include "ax_values.h"

namespace simdesk::macos {
namespace {

axt::platform::Accessibility& desktop() { return simdesk::seam().accessibility(); }


// The system's form of the desktop's error code.
::AXError codeOf(axt::platform::AXError error) { return static_cast<::AXError>(error); }

// The answer of a read: on success a new object for the value, when the
// desktop gave one.
::AXError answer(axt::platform::AXError error, const std::optional<axt::platform::Value>& value, CFTypeRef* out) {
  if (error == kAXErrorSuccess) *out = value ? objectFor(*value) : nullptr;
  return codeOf(error);
}

}  // namespace
}  // namespace simdesk::macos

using namespace simdesk::macos;

extern "C" {

const CFStringRef kAXTrustedCheckOptionPrompt = constantString("AXTrustedCheckOptionPrompt");

Boolean AXIsProcessTrustedWithOptions(CFDictionaryRef options) {
  bool prompt = false;
  if (options != nullptr) {
    CFTypeRef v = as<DictionaryObject>(options, "AXIsProcessTrustedWithOptions").find(kAXTrustedCheckOptionPrompt);
    prompt = v != nullptr && CFGetTypeID(v) == CFBooleanGetTypeID() &&
             CFBooleanGetValue(static_cast<CFBooleanRef>(v));
  }
  return desktop().isProcessTrusted(prompt);
}

CFTypeID AXUIElementGetTypeID(void) { return ElementObject::typeId(); }

AXUIElementRef AXUIElementCreateApplication(pid_t pid) { return makeElement(desktop().createApplication(pid)); }

// The system-wide element stands for no element of the desktop; the desktop
// answers for it as for an element it doesn't know.
AXUIElementRef AXUIElementCreateSystemWide(void) { return makeElement(axt::platform::Element()); }

// On the system-wide element the limit of every request whose element has
// none of its own; 0 puts back the default. A request to an application
// that doesn't answer moves the desktop's clock by the limit that applies.
AXError AXUIElementSetMessagingTimeout(AXUIElementRef element, float timeoutInSeconds) {
  auto& object = const_cast<ElementObject&>(as<ElementObject>(element, "AXUIElementSetMessagingTimeout"));
  if (!(timeoutInSeconds >= 0)) return kAXErrorIllegalArgument;
  if (object.ref()) {
    object.messagingTimeout = timeoutInSeconds;
  } else {
    simdesk::Desktop::get().setRequestLimit(timeoutInSeconds);
  }
  return kAXErrorSuccess;
}

AXError AXUIElementGetPid(AXUIElementRef element, pid_t* pid) {
  const auto& e = as<ElementObject>(element, "AXUIElementGetPid").ref();
  if (pid == nullptr) return kAXErrorIllegalArgument;
  const std::optional<axt::platform::Pid> owner = simdesk::Desktop::get().pidOf(e);
  if (!owner) return kAXErrorIllegalArgument;
  *pid = *owner;
  return kAXErrorSuccess;
}

AXError AXUIElementCopyAttributeValue(AXUIElementRef element, CFStringRef attribute, CFTypeRef* value) {
  const char* f = "AXUIElementCopyAttributeValue";
  const RequestElement e(element, f);
  const std::string name = textOf(attribute, f);
  if (value == nullptr) return kAXErrorIllegalArgument;
  std::optional<axt::platform::Value> read;
  return answer(desktop().copyAttributeValue(e.ref(), name, read), read, value);
}

AXError AXUIElementCopyParameterizedAttributeValue(AXUIElementRef element, CFStringRef attribute,
                                                   CFTypeRef parameter, CFTypeRef* result) {
  const char* f = "AXUIElementCopyParameterizedAttributeValue";
  const RequestElement e(element, f);
  const std::string name = textOf(attribute, f);
  const axt::platform::Value p = valueOf(parameter, f);
  if (result == nullptr) return kAXErrorIllegalArgument;
  std::optional<axt::platform::Value> read;
  return answer(desktop().copyParameterizedAttributeValue(e.ref(), name, p, read), read, result);
}

AXError AXUIElementIsAttributeSettable(AXUIElementRef element, CFStringRef attribute, Boolean* settable) {
  const char* f = "AXUIElementIsAttributeSettable";
  const RequestElement e(element, f);
  const std::string name = textOf(attribute, f);
  if (settable == nullptr) return kAXErrorIllegalArgument;
  bool answer = false;
  const AXError error = codeOf(desktop().isAttributeSettable(e.ref(), name, answer));
  if (error == kAXErrorSuccess) *settable = answer;
  return error;
}

AXError AXUIElementSetAttributeValue(AXUIElementRef element, CFStringRef attribute, CFTypeRef value) {
  const char* f = "AXUIElementSetAttributeValue";
  const RequestElement e(element, f);
  const std::string name = textOf(attribute, f);
  return codeOf(desktop().setAttributeValue(e.ref(), name, valueOf(value, f)));
}

AXError AXUIElementCopyAttributeNames(AXUIElementRef element, CFArrayRef* names) {
  const RequestElement e(element, "AXUIElementCopyAttributeNames");
  if (names == nullptr) return kAXErrorIllegalArgument;
  std::optional<std::vector<axt::platform::Value>> list;
  const AXError error = codeOf(desktop().copyAttributeNames(e.ref(), list));
  if (error != kAXErrorSuccess) return error;
  std::vector<CFTypeRef> objects;
  if (list) {
    for (const auto& v : *list) objects.push_back(objectFor(v));
  }
  *names = refOf<CFArrayRef>(keep(std::make_unique<ArrayObject>(std::move(objects))));
  return error;
}

CFTypeID AXValueGetTypeID(void) { return ValueObject::typeId(); }

AXValueRef AXValueCreate(AXValueType type, const void* value) {
  if (ValueObject::sizeOf(type) == 0) return nullptr;
  if (value == nullptr) misuse("AXValueCreate", "is handed no structure to copy");
  return refOf<AXValueRef>(keep(std::make_unique<ValueObject>(type, value)));
}

AXValueType AXValueGetType(AXValueRef value) { return as<ValueObject>(value, "AXValueGetType").kind(); }

Boolean AXValueGetValue(AXValueRef value, AXValueType type, void* out) {
  const ValueObject& v = as<ValueObject>(value, "AXValueGetValue");
  if (type != v.kind() || ValueObject::sizeOf(type) == 0) return false;
  if (out == nullptr) misuse("AXValueGetValue", "has nowhere to write");
  std::memcpy(out, v.data(), ValueObject::sizeOf(type));
  return true;
}

CFTypeID AXTextMarkerGetTypeID(void) { return MarkerObject::typeId(); }

CFTypeID AXTextMarkerRangeGetTypeID(void) { return MarkerRangeObject::typeId(); }

AXTextMarkerRangeRef AXTextMarkerRangeCreate(CFAllocatorRef /*allocator*/, AXTextMarkerRef startMarker,
                                             AXTextMarkerRef endMarker) {
  const char* f = "AXTextMarkerRangeCreate";
  const auto made = desktop().createTextMarkerRange(as<MarkerObject>(startMarker, f).ref(),
                                                    as<MarkerObject>(endMarker, f).ref());
  return made && *made ? makeMarkerRange(*made) : nullptr;
}

AXTextMarkerRef AXTextMarkerRangeCopyStartMarker(AXTextMarkerRangeRef range) {
  const auto marker = desktop().copyStartMarker(as<MarkerRangeObject>(range, "AXTextMarkerRangeCopyStartMarker").ref());
  return marker && *marker ? makeMarker(*marker) : nullptr;
}

AXTextMarkerRef AXTextMarkerRangeCopyEndMarker(AXTextMarkerRangeRef range) {
  const auto marker = desktop().copyEndMarker(as<MarkerRangeObject>(range, "AXTextMarkerRangeCopyEndMarker").ref());
  return marker && *marker ? makeMarker(*marker) : nullptr;
}

}  // extern "C"
