// Bringing an application to the front on an X server: its top-level
// window is made the active one, through the window manager's standard
// request when a window manager runs, else by raising the window and
// giving it the keyboard focus ourselves.
#pragma once

#include "session/window_activation.h"

namespace axt::lindesk {

class X11Display;

class X11WindowActivation final : public WindowActivation {
 public:
  explicit X11WindowActivation(X11Display& x11) : x11_(x11) {}
  // False as well when there is no X server.
  bool activate(platform::Pid pid, const FrameTitles& frameTitles) override;

 private:
  X11Display& x11_;
};

}  // namespace axt::lindesk
