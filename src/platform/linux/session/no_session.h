// The ways of a session with nothing to reach (no X server, and no other
// way yet): each refuses as the X11 ways do when no X server can be
// opened, so the host sees the same library either way. The hot key is
// refused as invalid, no key can be typed, no window is found, activated,
// placed or seen to move, no bus address is published, and the clipboard
// reads nothing and takes nothing, while counting the library's own clears.
#pragma once

#include "session/session_ways.h"

namespace axt::lindesk {

SessionWays noSessionWays();

}  // namespace axt::lindesk
