// One-shot timers on the main run loop (NSTimer): the action runs once,
// `interval` seconds from now, when the loop runs in the default mode, or
// in any of the common modes when asked.
#pragma once

#include <functional>

namespace axt::macdesk {

void scheduleMainTimer(double interval, bool commonModes, std::function<void()> action);

}  // namespace axt::macdesk
