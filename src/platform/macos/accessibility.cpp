#include "accessibility.h"

#include <ApplicationServices/ApplicationServices.h>

#include <functional>
#include <utility>

#include "cf_strings.h"
#include "cf_values.h"
#include "handles.h"
#include "main_timer.h"
#include "monotonic_clock.h"
#include "observers.h"

namespace axt::macdesk {

namespace {

AXUIElementRef elementOf(const platform::Element& element) {
  const auto* h = handleAs<ElementHandle>(element);
  return h != nullptr ? h->get() : nullptr;
}

AXTextMarkerRangeRef markerRangeOf(const platform::TextMarkerRange& range) {
  const auto* h = handleAs<MarkerRangeHandle>(range);
  return h != nullptr ? h->get() : nullptr;
}

AXTextMarkerRef markerOf(const platform::TextMarker& marker) {
  const auto* h = handleAs<MarkerHandle>(marker);
  return h != nullptr ? h->get() : nullptr;
}

// A read's result: the system's error passed on; on success the value, when
// there is one, in the seam's form.
platform::AXError readResult(platform::AXError error, const CFRef<CFTypeRef>& value, std::optional<platform::Value>& out) {
  if (error == kAXErrorSuccess && value) out = fromCF(value.get());
  return error;
}

// The probe of an application that stopped answering: its role, asked
// through an element made for the probe, whose messaging timeout is the
// probe's own short one.
platform::AXError askRole(platform::Pid pid, double limit) {
  const auto application = CFRef<AXUIElementRef>::adopt(AXUIElementCreateApplication(pid));
  if (!application) return kAXErrorFailure;
  (void)AXUIElementSetMessagingTimeout(application.get(), static_cast<float>(limit));
  CFRef<CFTypeRef> role;
  return AXUIElementCopyAttributeValue(application.get(), makeCFString("AXRole").get(), role.out());
}

platform::backend::UnresponsiveApps::Hooks unresponsiveHooks() {
  return {&monotonicSeconds,
          [](double seconds, std::function<void()> action) { scheduleMainTimer(seconds, true, std::move(action)); },
          &askRole};
}

}  // namespace

AXAccessibility::AXAccessibility(Observers& observers) : observers_(observers), unresponsive_(unresponsiveHooks()) {
  const auto systemWide = CFRef<AXUIElementRef>::adopt(AXUIElementCreateSystemWide());
  if (systemWide) (void)AXUIElementSetMessagingTimeout(systemWide.get(), kRequestTimeout);
}

template <class Request>
platform::AXError AXAccessibility::guarded(const platform::Element& element, Request&& request) {
  AXUIElementRef e = elementOf(element);
  pid_t pid = 0;
  if (e == nullptr || AXUIElementGetPid(e, &pid) != kAXErrorSuccess) return std::forward<Request>(request)();
  return unresponsive_.request(pid, kRequestTimeout, std::forward<Request>(request));
}

bool AXAccessibility::isProcessTrusted(bool prompt) {
  const void* keys[] = {kAXTrustedCheckOptionPrompt};
  const void* values[] = {prompt ? kCFBooleanTrue : kCFBooleanFalse};
  const auto options = CFRef<CFDictionaryRef>::adopt(CFDictionaryCreate(
      kCFAllocatorDefault, keys, values, 1, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
  return AXIsProcessTrustedWithOptions(options.get()) != 0;
}

platform::Element AXAccessibility::createApplication(platform::Pid pid) {
  return wrapElement(CFRef<AXUIElementRef>::adopt(AXUIElementCreateApplication(pid)));
}

platform::AXError AXAccessibility::copyAttributeValue(const platform::Element& element,
                                                      const std::string& attribute,
                                                      std::optional<platform::Value>& out) {
  AXUIElementRef e = elementOf(element);
  if (e == nullptr) return kAXErrorIllegalArgument;
  CFRef<CFTypeRef> value;
  const platform::AXError error =
      guarded(element, [&] { return AXUIElementCopyAttributeValue(e, makeCFString(attribute).get(), value.out()); });
  return readResult(error, value, out);
}

platform::AXError AXAccessibility::copyParameterizedAttributeValue(const platform::Element& element,
                                                                   const std::string& attribute,
                                                                   const platform::Value& parameter,
                                                                   std::optional<platform::Value>& out) {
  AXUIElementRef e = elementOf(element);
  const CFRef<CFTypeRef> p = toCF(parameter);
  if (e == nullptr || !p) return kAXErrorIllegalArgument;
  CFRef<CFTypeRef> value;
  const platform::AXError error = guarded(element, [&] {
    return AXUIElementCopyParameterizedAttributeValue(e, makeCFString(attribute).get(), p.get(), value.out());
  });
  return readResult(error, value, out);
}

platform::AXError AXAccessibility::isAttributeSettable(const platform::Element& element,
                                                       const std::string& attribute, bool& settable) {
  AXUIElementRef e = elementOf(element);
  if (e == nullptr) return kAXErrorIllegalArgument;
  Boolean answer = false;
  const platform::AXError error =
      guarded(element, [&] { return AXUIElementIsAttributeSettable(e, makeCFString(attribute).get(), &answer); });
  if (error == kAXErrorSuccess) settable = answer != 0;
  return error;
}

platform::AXError AXAccessibility::setAttributeValue(const platform::Element& element,
                                                     const std::string& attribute,
                                                     const platform::Value& value) {
  AXUIElementRef e = elementOf(element);
  const CFRef<CFTypeRef> v = toCF(value);
  if (e == nullptr || !v) return kAXErrorIllegalArgument;
  return guarded(element, [&] { return AXUIElementSetAttributeValue(e, makeCFString(attribute).get(), v.get()); });
}

platform::AXError AXAccessibility::copyAttributeNames(const platform::Element& element,
                                                      std::optional<std::vector<platform::Value>>& names) {
  AXUIElementRef e = elementOf(element);
  if (e == nullptr) return kAXErrorIllegalArgument;
  CFRef<CFArrayRef> list;
  const platform::AXError error = guarded(element, [&] { return AXUIElementCopyAttributeNames(e, list.out()); });
  if (error != kAXErrorSuccess || !list) return error;
  std::vector<platform::Value> out;
  const CFIndex count = CFArrayGetCount(list.get());
  for (CFIndex i = 0; i < count; ++i) {
    if (CFTypeRef name = CFArrayGetValueAtIndex(list.get(), i)) out.push_back(fromCF(name));
  }
  names = std::move(out);
  return error;
}

std::optional<platform::AXValue> AXAccessibility::createRangeValue(const platform::Range& range) {
  const platform::AXValue value(range);
  if (!toAXValue(value)) return std::nullopt;
  return value;
}

std::optional<platform::TextMarker> AXAccessibility::copyStartMarker(const platform::TextMarkerRange& range) {
  AXTextMarkerRangeRef r = markerRangeOf(range);
  if (r == nullptr) return std::nullopt;
  platform::TextMarker marker = wrapMarker(CFRef<AXTextMarkerRef>::adopt(AXTextMarkerRangeCopyStartMarker(r)));
  if (!marker) return std::nullopt;
  return marker;
}

std::optional<platform::TextMarker> AXAccessibility::copyEndMarker(const platform::TextMarkerRange& range) {
  AXTextMarkerRangeRef r = markerRangeOf(range);
  if (r == nullptr) return std::nullopt;
  platform::TextMarker marker = wrapMarker(CFRef<AXTextMarkerRef>::adopt(AXTextMarkerRangeCopyEndMarker(r)));
  if (!marker) return std::nullopt;
  return marker;
}

std::optional<platform::TextMarkerRange> AXAccessibility::createTextMarkerRange(const platform::TextMarker& first,
                                                                                const platform::TextMarker& second) {
  AXTextMarkerRef a = markerOf(first);
  AXTextMarkerRef b = markerOf(second);
  if (a == nullptr || b == nullptr) return std::nullopt;
  platform::TextMarkerRange range =
      wrapMarkerRange(CFRef<AXTextMarkerRangeRef>::adopt(AXTextMarkerRangeCreate(kCFAllocatorDefault, a, b)));
  if (!range) return std::nullopt;
  return range;
}

platform::AXError AXAccessibility::createObserver(platform::Pid pid, platform::ObserverCallback callback,
                                                  std::optional<platform::Observer>& out) {
  return observers_.create(pid, callback, out);
}

platform::AXError AXAccessibility::addNotification(const platform::Observer& observer,
                                                   const platform::Element& element,
                                                   const std::string& notification, void* context) {
  return guarded(element, [&] { return observers_.add(observer, elementOf(element), notification, context); });
}

void AXAccessibility::addRunLoopSource(const platform::Observer& observer, platform::RunLoopMode mode) {
  observers_.addRunLoopSource(observer,
                              mode == platform::RunLoopMode::kDefault ? kCFRunLoopDefaultMode : kCFRunLoopCommonModes);
}

}  // namespace axt::macdesk
