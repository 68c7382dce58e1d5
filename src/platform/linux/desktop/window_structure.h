// Moves and resizes of applications' top-level windows, from the X
// server's structure events, for the toolkits that don't report them on
// the accessibility bus (GTK reports no window moves there). Each change
// is delivered as "AXWindowMoved" or "AXWindowResized" for the
// application's window object.
#pragma once

#include <X11/Xlib.h>

#include <map>
#include <optional>
#include <set>

#include "platform/platform.h"

namespace axt::lindesk {

using platform::Pid;

class Applications;
class AtspiSession;
class Observers;
class X11Display;

class WindowStructure {
 public:
  WindowStructure(X11Display& x11, AtspiSession& session, Applications& applications, Observers& observers)
      : x11_(x11), session_(session), applications_(applications), observers_(observers) {}
  WindowStructure(const WindowStructure&) = delete;
  WindowStructure& operator=(const WindowStructure&) = delete;

  // Starts following the top-level windows the process has now; again for
  // windows it opened since. Windows already followed keep their state.
  void watchWindowsOf(Pid pid);

  // The application reports its window moves itself: its structure events
  // are no longer turned into notifications, which would come twice.
  void toolkitReportsWindowGeometry(Pid pid) { reportedByToolkit_.insert(pid); }

 private:
  struct Followed {
    Pid pid = 0;
    platform::Rect frame;
  };

  void onEvent(const XEvent& event);
  std::optional<platform::Element> windowElementOf(Pid pid);

  X11Display& x11_;
  AtspiSession& session_;
  Applications& applications_;
  Observers& observers_;
  std::map<::Window, Followed> windows_;
  std::set<Pid> reportedByToolkit_;
  bool handlerAdded_ = false;
};

}  // namespace axt::lindesk
