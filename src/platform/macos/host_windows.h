// The host's own windows (AppKit). The host hands the library a window
// object as an untyped pointer; only an NSWindow is taken. The type test
// asks the object its class, so the pointer must be an Objective-C object:
// a pointer to anything else can't be told apart and crashes the test, as
// it would crash any message sent to it. Windows are held weakly (the host
// closes them); the responders standing for the seam's (a tracking area's
// owner, a window's delegate) are kept here, since AppKit keeps neither. A
// window's delegate stands in front of the one the window had, which still
// hears every delegate message (responder_forwarder.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/platform.h"

namespace axt::macdesk {

class AppKitWindows final : public platform::Windows {
 public:
  AppKitWindows();
  AppKitWindows(const AppKitWindows&) = delete;
  AppKitWindows& operator=(const AppKitWindows&) = delete;
  ~AppKitWindows() override;

  std::optional<platform::Window> windowFromObject(void* object) override;
  std::optional<platform::Rect> contentViewBounds(const platform::Window& window) override;
  void setDelegate(const platform::Window& window, std::weak_ptr<platform::Responder> delegate) override;
  platform::TrackingArea createTrackingArea(const platform::Rect& rect, std::uint32_t options,
                                            std::weak_ptr<platform::Responder> owner) override;
  void addTrackingArea(const platform::Window& window, const platform::TrackingArea& area) override;

 private:
  struct Table;  // Objective-C objects
  std::unique_ptr<Table> table_;
};

}  // namespace axt::macdesk
