// Where windows are and how they stand, as the X server tells the
// backend's connection: attributes, whether shown, the frame on the
// screen, the children. Each answers nothing without an X server and for
// a window that is gone.
#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <vector>

#include "platform/values.h"

namespace axt::lindesk {

class X11Display;

class WindowGeometry {
 public:
  explicit WindowGeometry(X11Display& x11) : x11_(x11) {}

  std::optional<XWindowAttributes> attributes(::Window window);
  bool isViewable(::Window window);
  // The window's frame on the screen.
  std::optional<platform::Rect> frame(::Window window);
  // A window's children, bottom to top.
  std::vector<::Window> children(::Window window);

 private:
  X11Display& x11_;
};

}  // namespace axt::lindesk
