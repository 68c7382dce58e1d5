// In place of the run loop's parts that aren't C functions: timers
// (Foundation's) and the busy wait's turn. The desktop's clock moves only
// when told, so a turn of the busy wait is the desktop's own, which moves
// it toward the deadline.
#include "main_timer.h"
#include "run_loop.h"
#include "simdesk/desktop.h"

namespace axt::macdesk {

void scheduleMainTimer(double interval, bool commonModes, std::function<void()> action) {
  simdesk::seam().runLoop().scheduleTimer(
      interval, commonModes ? platform::RunLoopMode::kCommon : platform::RunLoopMode::kDefault, std::move(action));
}

void MacRunLoop::busyWaitTurn(double until) { simdesk::seam().runLoop().busyWaitTurn(until); }

}  // namespace axt::macdesk
