// Moves and resizes of applications' top-level windows, from the X
// server's structure events, for the toolkits that don't report them on
// the accessibility bus (GTK reports no window moves there). Each change
// is delivered as "AXWindowMoved" or "AXWindowResized" for the
// application's window object.
#pragma once

#include "platform/platform.h"

namespace axt::lindesk {

using platform::Pid;

// Starts following the top-level windows the process has now; again for
// windows it opened since. Windows already followed keep their state.
void watchWindowsOf(Pid pid);

// The application reports its window moves itself: its structure events
// are no longer turned into notifications, which would come twice.
void toolkitReportsWindowGeometry(Pid pid);

}  // namespace axt::lindesk
