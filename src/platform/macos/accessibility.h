// The accessibility part of the seam: requests to other applications'
// elements, text markers and observers, through the system's accessibility
// interface. Every request waits at most kRequestTimeout for the
// application's answer (the messaging timeout of the system-wide element,
// which bounds every element's); a request that times out fails with
// kAXErrorCannotComplete, as any read the application doesn't answer.
//
// An application that stops answering holds the host's main thread once:
// a request to it that times out (kAXErrorCannotComplete after nearly the
// whole limit, on the monotonic clock; one that comes at once is a refusal)
// marks it, by its pid, and requests to it then fail at once with
// kAXErrorCannotComplete until it answers again. A marked application is
// asked every half second, on the main run loop, for its role through an
// application element of its own with a messaging timeout of 0.05 s
// (platform/backend_unresponsive_apps.h). Requests to other applications go
// on meanwhile.
#pragma once

#include "platform/backend_unresponsive_apps.h"
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
  // The request through the guard, when the element names its process.
  template <class Request>
  platform::AXError guarded(const platform::Element& element, Request&& request);

  Observers& observers_;
  platform::backend::UnresponsiveApps unresponsive_;
};

}  // namespace axt::macdesk
