// Driving the main run loop and the other applications' own work in time
// order, and the run-loop part of the seam.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "platform/platform.h"

namespace simdesk::detail {

// Runs, in time order, every main-loop item that may run in `mode` and every
// world item due by t, moving the clock to each one; then moves the clock to
// t. With the real clock it waits for t to come.
void runLoopUntil(const std::string& mode, double t);
// Runs in the default mode until nothing is left to fall due, at most
// `limit` items; returns the time it stopped at.
double runLoopUntilIdle(std::size_t limit);
// One turn of a busy wait: other applications go on, the main loop stands.
void busyWaitTurn(double until);

class RunLoopService final : public axt::platform::MainRunLoop {
 public:
  void dispatchAfter(double seconds, std::function<void()> block) override;
  void scheduleTimer(double interval, axt::platform::RunLoopMode mode,
                     std::function<void()> action) override;
  double currentDate() override;
  void busyWaitTurn(double until) override;
};

}  // namespace simdesk::detail
