// The accessibility part of the seam: requests to other applications'
// elements, text markers and observers, through the system's accessibility
// interface. Every request waits at most kRequestTimeout for the
// application's answer (the messaging timeout of the system-wide element,
// which bounds every element's); a request that times out fails with
// kAXErrorCannotComplete, as any read the application doesn't answer.
#pragma once

#include "platform/platform.h"

namespace axt::macdesk {

class Observers;

inline constexpr float kRequestTimeout = 1.5f;

class AXAccessibility final : public platform::Accessibility {
 public:
  explicit AXAccessibility(Observers& observers);

  bool isProcessTrusted(bool prompt) override;
  platform::Element createApplication(platform::Pid pid) override;
  platform::AXError copyAttributeValue(const platform::Element& element, const std::string& attribute,
                                       std::optional<platform::Value>& out) override;
  platform::AXError copyParameterizedAttributeValue(const platform::Element& element,
                                                    const std::string& attribute,
                                                    const platform::Value& parameter,
                                                    std::optional<platform::Value>& out) override;
  platform::AXError isAttributeSettable(const platform::Element& element, const std::string& attribute,
                                        bool& settable) override;
  platform::AXError setAttributeValue(const platform::Element& element, const std::string& attribute,
                                      const platform::Value& value) override;
  platform::AXError copyAttributeNames(const platform::Element& element,
                                       std::optional<std::vector<platform::Value>>& names) override;
  std::optional<platform::AXValue> createRangeValue(const platform::Range& range) override;
  std::optional<platform::TextMarker> copyStartMarker(const platform::TextMarkerRange& range) override;
  std::optional<platform::TextMarker> copyEndMarker(const platform::TextMarkerRange& range) override;
  std::optional<platform::TextMarkerRange> createTextMarkerRange(const platform::TextMarker& first,
                                                                 const platform::TextMarker& second) override;
  platform::AXError createObserver(platform::Pid pid, platform::ObserverCallback callback,
                                   std::optional<platform::Observer>& out) override;
  platform::AXError addNotification(const platform::Observer& observer, const platform::Element& element,
                                    const std::string& notification, void* context) override;
  void addRunLoopSource(const platform::Observer& observer, platform::RunLoopMode mode) override;

 private:
  Observers& observers_;
};

}  // namespace axt::macdesk
