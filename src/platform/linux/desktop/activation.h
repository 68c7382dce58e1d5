// Bringing an application to the front: its top-level window is made the
// active one, through the window manager's standard request when a window
// manager runs, else by raising the window and giving it the keyboard focus
// ourselves.
#pragma once

#include "atspi/applications.h"
#include "platform/values.h"

namespace axt::lindesk {

class AtspiSession;
class X11Display;

// Activates the top-level window of the process that the user had in front
// last (the topmost of its windows; one the window manager has minimised
// when it has no other). False when the process has no such window or
// there is no X server. The session asks the bus for the titles of the
// application's frames.
bool activateApplicationWindow(X11Display& x11, AtspiSession& session, Applications& applications, platform::Pid pid);

// The applications' windows as the X server knows them, for the bus side.
class X11ApplicationWindows final : public ApplicationWindows {
 public:
  X11ApplicationWindows(X11Display& x11, AtspiSession& session) : x11_(x11), session_(session) {}
  std::optional<std::string> applicationIdOf(Pid pid) override;
  bool activate(Applications& applications, Pid pid) override;

 private:
  X11Display& x11_;
  AtspiSession& session_;
};

}  // namespace axt::lindesk
