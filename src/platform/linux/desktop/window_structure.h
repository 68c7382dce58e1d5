// Moves and resizes of applications' top-level windows, as the session
// sees them (session/window_moves.h), for the toolkits that don't report
// them on the accessibility bus (GTK reports no window moves there). Each
// change is delivered as "AXWindowMoved" or "AXWindowResized" for the
// application's window object.
#pragma once

#include <optional>
#include <set>

#include "platform/platform.h"
#include "session/window_moves.h"

namespace axt::lindesk {

using platform::Pid;

class Applications;
class AtspiSession;
class Observers;

class WindowStructure {
 public:
  WindowStructure(WindowMoves& moves, AtspiSession& session, Applications& applications, Observers& observers);
  WindowStructure(const WindowStructure&) = delete;
  WindowStructure& operator=(const WindowStructure&) = delete;

  // Starts following the top-level windows the process has now; again for
  // windows it opened since.
  void watchWindowsOf(Pid pid) { moves_.follow(pid); }

  // The application reports its window moves itself: the session's account
  // of them is no longer turned into notifications, which would come twice.
  void toolkitReportsWindowGeometry(Pid pid) { reportedByToolkit_.insert(pid); }

 private:
  void changed(Pid pid, bool moved, bool resized);
  std::optional<platform::Element> windowElementOf(Pid pid);

  WindowMoves& moves_;
  AtspiSession& session_;
  Applications& applications_;
  Observers& observers_;
  std::set<Pid> reportedByToolkit_;
};

}  // namespace axt::lindesk
