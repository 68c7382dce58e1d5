// The choice of the session's ways, made once, when the desktop is made:
// the kind of session read from the environment the host was started with
// (session_kind.h), and the ways of that kind.
#pragma once

#include "logic/session_kind.h"
#include "session/session_ways.h"

namespace axt::lindesk {

class GlibRunLoop;
class GrabHoldBack;
class HandlingCache;
class X11Display;

// The variables as the process has them now.
SessionEnvironment currentSessionEnvironment();

// The ways of the session the environment describes. The X11 ways stand on
// `x11`; the hot key tells `holdBack` when its key goes down and up, typed
// keys make `readings` forget what they change.
SessionWays waysFor(const SessionEnvironment& environment, X11Display& x11, GrabHoldBack& holdBack,
                    GlibRunLoop& runLoop, HandlingCache& readings);

}  // namespace axt::lindesk
