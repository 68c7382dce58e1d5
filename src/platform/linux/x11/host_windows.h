// The host's own windows. A host on this desktop hands the library its X11
// window identifier in the place of a window object: the pointer's value is
// the identifier. The window's content area is the X window itself (a
// window manager's frame and title bar are windows of their own), and a
// tracking area on it hears the pointer cross into and out of it from the X
// server's crossing events, delivered on the main loop.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "glue/run_loop.h"
#include "platform/backend_handles.h"
#include "platform/platform.h"
#include "session/host_windows.h"

namespace axt::lindesk {

class X11Display;

class X11HostWindows final : public SessionHostWindows {
 public:
  X11HostWindows(X11Display& x11, GlibRunLoop& runLoop) : x11_(x11), runLoop_(runLoop) {}

  // Absent for null, for a value that can't be an X identifier, and for an
  // identifier that the server doesn't know as a window.
  std::optional<platform::Window> windowFromObject(void* object) override;
  // The window's size at its own origin; absent once it is gone.
  std::optional<platform::Rect> contentViewBounds(const platform::Window& window) override;
  void setDelegate(const platform::Window& window, std::weak_ptr<platform::Responder> delegate) override;
  platform::TrackingArea createTrackingArea(const platform::Rect& rect, std::uint32_t options,
                                            std::weak_ptr<platform::Responder> owner) override;
  // The area reports for the whole window, following its size; areas that
  // don't ask for entering and leaving report nothing.
  void addTrackingArea(const platform::Window& window, const platform::TrackingArea& area) override;

 private:
  struct Tracked {
    std::weak_ptr<platform::Responder> delegate;
    std::vector<std::shared_ptr<const platform::backend::TrackingAreaHandle>> areas;
  };

  void onEvent(const XEvent& event);

  X11Display& x11_;
  GlibRunLoop& runLoop_;
  std::map<::Window, Tracked> windows_;
  bool listening_ = false;
};

}  // namespace axt::lindesk
