// What the player prints on the real desktop: the same lines as on the
// simulated one, stamped with the real seconds since the play began. Lines
// go out at once, since a person watches them as the desktop changes; the
// library's own lines share the stream and so keep their place among them.
#pragma once

#include <string_view>

#include "axtrack/axtrack.h"

namespace play {

// Sets the moment that stamps count from: the start of the play.
void startDesktopClock();

// Real seconds since startDesktopClock, on a clock that never goes back.
double desktopSeconds();

// The host callback for initMacAccessibility: "event T NAME JSON".
axtrack_callback desktopHostCallback();

// "result T FUNCTION true|false".
void printDesktopResult(std::string_view function, bool value);

}  // namespace play
