#include "run_loop.h"

#include <CoreFoundation/CoreFoundation.h>
#include <dispatch/dispatch.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

#include "c_callback.h"
#include "main_timer.h"

namespace axt::macdesk {

namespace {

using Block = std::function<void()>;

void runBlock(void* context) {
  callFromC([context] {
    // The queue hands the block back exactly once; it is freed here,
    // whether or not it throws.
    const std::unique_ptr<Block> block(static_cast<Block*>(context));
    if (*block) (*block)();
  });
}

// Nanoseconds for a delay in seconds: negative and NaN delays run at once,
// delays beyond the clock's range as late as it goes.
std::int64_t nanoseconds(double seconds) {
  if (!(seconds > 0)) return 0;
  const double ns = std::ceil(seconds * 1e9);
  if (ns >= static_cast<double>(std::numeric_limits<std::int64_t>::max())) {
    return std::numeric_limits<std::int64_t>::max();
  }
  return static_cast<std::int64_t>(ns);
}

}  // namespace

void MacRunLoop::dispatchAfter(double seconds, std::function<void()> block) {
  if (!block) return;
  // The queue owns the block from here until runBlock frees it.
  auto owned = std::make_unique<Block>(std::move(block));
  dispatch_after_f(dispatch_time(DISPATCH_TIME_NOW, nanoseconds(seconds)), dispatch_get_main_queue(),
                   owned.release(), &runBlock);
}

void MacRunLoop::scheduleTimer(double interval, platform::RunLoopMode mode, std::function<void()> action) {
  if (action) scheduleMainTimer(interval, mode == platform::RunLoopMode::kCommon, std::move(action));
}

double MacRunLoop::currentDate() { return CFAbsoluteTimeGetCurrent(); }

}  // namespace axt::macdesk
