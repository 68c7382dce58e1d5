// The accessibility part of the seam as the library built over this desktop
// sees it: the desktop's own requests, with those to an application that
// stopped answering failing at once after the first one timed out, until it
// answers again (platform/backend_unresponsive_apps.h), as the macOS
// backend makes them fail over the platform. The simulated macOS frameworks
// forward to the desktop's own requests instead, under that backend's rule.
#pragma once

#include <cstdint>

#include "accessibility.h"
#include "platform/backend_unresponsive_apps.h"
#include "platform/platform.h"

namespace simdesk::detail {

class GuardedAccessibility final : public axt::platform::Accessibility {
 public:
  explicit GuardedAccessibility(axt::platform::Accessibility& desktop);

  bool isProcessTrusted(bool prompt) override;
  Element createApplication(Pid pid) override;
  AXError copyAttributeValue(const Element& element, const std::string& attribute,
                             std::optional<Value>& out) override;
  AXError copyParameterizedAttributeValue(const Element& element, const std::string& attribute,
                                          const Value& parameter, std::optional<Value>& out) override;
  AXError isAttributeSettable(const Element& element, const std::string& attribute,
                              bool& settable) override;
  AXError setAttributeValue(const Element& element, const std::string& attribute,
                            const Value& value) override;
  AXError copyAttributeNames(const Element& element,
                             std::optional<std::vector<Value>>& names) override;
  std::optional<AXValue> createRangeValue(const Range& range) override;
  std::optional<TextMarker> copyStartMarker(const TextMarkerRange& range) override;
  std::optional<TextMarker> copyEndMarker(const TextMarkerRange& range) override;
  std::optional<TextMarkerRange> createTextMarkerRange(const TextMarker& first,
                                                       const TextMarker& second) override;
  AXError createObserver(Pid pid, ObserverCallback callback, std::optional<Observer>& out) override;
  AXError addNotification(const Observer& observer, const Element& element,
                          const std::string& notification, void* context) override;
  void addRunLoopSource(const Observer& observer, RunLoopMode mode) override;

 private:
  // Through the guard when the element names its application; a reset
  // desktop starts with no marks.
  template <class Request>
  AXError guarded(const Element& element, Request&& request);

  axt::platform::Accessibility& desktop_;
  axt::platform::backend::UnresponsiveApps unresponsive_;
  std::uint64_t generation_ = 0;
};

}  // namespace simdesk::detail
