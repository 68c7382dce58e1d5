// The main dispatch queue and the clock. Dispatch times count nanoseconds of
// the desktop's clock; a block after a deadline goes on the desktop's main
// run loop, which serves the main queue in every mode.
#include <CoreFoundation/CoreFoundation.h>
#include <dispatch/dispatch.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "cf_object.h"
#include "simdesk/desktop.h"

namespace simdesk::macos {
namespace {

axt::platform::MainRunLoop& loop() { return simdesk::seam().runLoop(); }

// Now on the desktop's clock, in nanoseconds, never 0 (which means "now").
std::uint64_t nowNanoseconds() { return static_cast<std::uint64_t>(std::llround(loop().currentDate() * 1e9)) + 1; }

}  // namespace
}  // namespace simdesk::macos

using namespace simdesk::macos;

extern "C" {

struct dispatch_queue_s _dispatch_main_q;

dispatch_time_t dispatch_time(dispatch_time_t when, int64_t delta) {
  if (when == DISPATCH_TIME_FOREVER) return DISPATCH_TIME_FOREVER;
  const std::uint64_t base = when == DISPATCH_TIME_NOW ? nowNanoseconds() : when;
  if (delta >= 0) {
    const auto d = static_cast<std::uint64_t>(delta);
    return d >= DISPATCH_TIME_FOREVER - base ? DISPATCH_TIME_FOREVER : base + d;
  }
  const std::uint64_t back = static_cast<std::uint64_t>(-(delta + 1)) + 1;
  return back >= base ? 1 : base - back;
}

void dispatch_after_f(dispatch_time_t when, dispatch_queue_t queue, void* context, dispatch_function_t work) {
  if (queue != dispatch_get_main_queue()) misuse("dispatch_after_f", "is handed a queue the simulation doesn't have");
  if (work == nullptr) misuse("dispatch_after_f", "is handed no function");
  // A deadline that never comes: the block is never run.
  if (when == DISPATCH_TIME_FOREVER) return;
  const std::uint64_t now = nowNanoseconds();
  const std::uint64_t due = when == DISPATCH_TIME_NOW ? now : when;
  const double seconds = due > now ? static_cast<double>(due - now) / 1e9 : 0.0;
  loop().dispatchAfter(seconds, [context, work] { work(context); });
}

CFAbsoluteTime CFAbsoluteTimeGetCurrent(void) { return loop().currentDate(); }

}  // extern "C"
