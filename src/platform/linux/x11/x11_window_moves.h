// Moves and resizes of applications' top-level windows, from the X
// server's structure events on each window followed.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <map>

#include "platform/values.h"
#include "session/window_moves.h"

namespace axt::lindesk {

class X11Display;

class X11WindowMoves final : public WindowMoves {
 public:
  explicit X11WindowMoves(X11Display& x11) : x11_(x11) {}
  X11WindowMoves(const X11WindowMoves&) = delete;
  X11WindowMoves& operator=(const X11WindowMoves&) = delete;

  void onChange(std::function<void(platform::Pid pid, bool moved, bool resized)> changed) override;
  void follow(platform::Pid pid) override;

 private:
  struct Followed {
    platform::Pid pid = 0;
    platform::Rect frame;
  };

  void onEvent(const XEvent& event);

  X11Display& x11_;
  std::function<void(platform::Pid, bool, bool)> changed_;
  std::map<::Window, Followed> windows_;
  bool handlerAdded_ = false;
};

}  // namespace axt::lindesk
