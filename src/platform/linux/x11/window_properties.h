// Reading other clients' window properties through the backend's
// connection, each read trapped: the window may be gone.
#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

#include "x11/window_property.h"

namespace axt::lindesk {

class X11Display;

class WindowProperties {
 public:
  explicit WindowProperties(X11Display& x11) : x11_(x11) {}

  // Each answers nothing without an X server and for a window that is
  // gone. A property of format 8.
  std::optional<std::string> text(::Window window, const char* name);
  // A property of format 32 (up to `count` items).
  std::vector<long> longs(::Window window, const char* name, long count);

 private:
  std::optional<WindowProperty> read(::Window window, const char* name, long count);

  X11Display& x11_;
};

}  // namespace axt::lindesk
