// In place of the run loop's parts that aren't C functions: timers
// (Foundation's), the busy wait's turn and the monotonic clock. The
// desktop's clock moves only when told, so a turn of the busy wait is the
// desktop's own, which moves it toward the deadline, and the clock a
// request's wait is measured on is the desktop's.
#include "main_timer.h"
#include "monotonic_clock.h"
#include "run_loop.h"
#include "simdesk/desktop.h"

namespace axt::macdesk {

void scheduleMainTimer(double interval, bool commonModes, std::function<void()> action) {
  simdesk::seam().runLoop().scheduleTimer(
      interval, commonModes ? platform::RunLoopMode::kCommon : platform::RunLoopMode::kDefault, std::move(action));
}

double monotonicSeconds() { return simdesk::Desktop::get().now(); }

void MacRunLoop::busyWaitTurn(double until) { simdesk::seam().runLoop().busyWaitTurn(until); }

}  // namespace axt::macdesk
