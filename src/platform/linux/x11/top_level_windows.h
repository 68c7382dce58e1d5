// Applications' top-level windows on the X server, whether or not a window
// manager has framed them, and the process each belongs to: from the
// window manager's list of the windows it manages where it keeps one
// (client_windows.h), else by a walk down from the root (frame_walk.h).
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <optional>
#include <vector>

#include "platform/values.h"

namespace axt::lindesk {

class X11Display;

class TopLevelWindows {
 public:
  explicit TopLevelWindows(X11Display& x11) : x11_(x11) {}

  // The process a window says it belongs to (_NET_WM_PID); for a window
  // the window manager manages, as remembered. None for a frame the
  // compositor drew in a client of its own (compositor_helpers.h).
  std::optional<platform::Pid> pidOf(::Window window);
  // The window the window manager calls active, when there is one.
  std::optional<::Window> active();

  // Walks the candidates for applications' top-level windows, bottom to
  // top (frame_walk.h): `visit(client, frame)` gets the window and the
  // child of the root that holds it, and accepts the client's window.
  void forEach(const std::function<bool(::Window client, ::Window frame)>& visit);

  // The visible top-level windows of a process (by _NET_WM_PID). Only the
  // windows `wanted` accepts are looked at for being visible, when given.
  std::vector<::Window> of(platform::Pid pid, const std::function<bool(::Window)>& wanted = nullptr);

 private:
  X11Display& x11_;
};

}  // namespace axt::lindesk
