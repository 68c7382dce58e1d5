// The accessibility part of the seam: requests to other applications'
// elements, text markers and observers, over AT-SPI.
#pragma once

#include "platform/platform.h"

namespace axt::lindesk {

using platform::AXError;

class LinuxDesktop;
struct Target;

class AtspiAccessibility final : public platform::Accessibility {
 public:
  explicit AtspiAccessibility(LinuxDesktop& desktop) : desktop_(desktop) {}

  bool isProcessTrusted(bool prompt) override;
  platform::Element createApplication(platform::Pid pid) override;
  AXError copyAttributeValue(const platform::Element& element, const std::string& attribute,
                             std::optional<platform::Value>& out) override;
  AXError copyParameterizedAttributeValue(const platform::Element& element, const std::string& attribute,
                                          const platform::Value& parameter,
                                          std::optional<platform::Value>& out) override;
  AXError isAttributeSettable(const platform::Element& element, const std::string& attribute,
                              bool& settable) override;
  AXError setAttributeValue(const platform::Element& element, const std::string& attribute,
                            const platform::Value& value) override;
  AXError copyAttributeNames(const platform::Element& element,
                             std::optional<std::vector<platform::Value>>& names) override;
  std::optional<platform::AXValue> createRangeValue(const platform::Range& range) override;
  std::optional<platform::TextMarker> copyStartMarker(const platform::TextMarkerRange& range) override;
  std::optional<platform::TextMarker> copyEndMarker(const platform::TextMarkerRange& range) override;
  std::optional<platform::TextMarkerRange> createTextMarkerRange(const platform::TextMarker& first,
                                                                 const platform::TextMarker& second) override;
  AXError createObserver(platform::Pid pid, platform::ObserverCallback callback,
                         std::optional<platform::Observer>& out) override;
  AXError addNotification(const platform::Observer& observer, const platform::Element& element,
                          const std::string& notification, void* context) override;
  void addRunLoopSource(const platform::Observer& observer, platform::RunLoopMode mode) override;

 private:
  AXError resolve(const platform::Element& element, Target& out);

  LinuxDesktop& desktop_;
};

}  // namespace axt::lindesk
