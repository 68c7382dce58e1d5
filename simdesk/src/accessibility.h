// The accessibility part of the seam: requests to other applications'
// elements, text markers and observers.
#pragma once

#include "platform/platform.h"

namespace simdesk::detail {

using axt::platform::Accessibility;
using axt::platform::AXError;
using axt::platform::AXValue;
using axt::platform::Element;
using axt::platform::Observer;
using axt::platform::ObserverCallback;
using axt::platform::Pid;
using axt::platform::Range;
using axt::platform::RunLoopMode;
using axt::platform::TextMarker;
using axt::platform::TextMarkerRange;
using axt::platform::Value;

class AccessibilityService final : public Accessibility {
 public:
  bool isProcessTrusted(bool prompt) override;
  Element createApplication(Pid pid) override;
  AXError copyAttributeValue(const Element& element, const std::string& attribute,
                             std::optional<Value>& out) override;
  AXError copyParameterizedAttributeValue(const Element& element, const std::string& attribute,
                                          const Value& parameter,
                                          std::optional<Value>& out) override;
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
  AXError createObserver(Pid pid, ObserverCallback callback,
                         std::optional<Observer>& out) override;
  AXError addNotification(const Observer& observer, const Element& element,
                          const std::string& notification, void* context) override;
  void addRunLoopSource(const Observer& observer, RunLoopMode mode) override;
};

}  // namespace simdesk::detail
