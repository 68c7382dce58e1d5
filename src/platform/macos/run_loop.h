// The run loop of the host's main thread, which the host runs (AppKit's
// application loop). Blocks after a deadline go to the main dispatch queue,
// which the loop serves in every mode; one-shot timers go on the loop in the
// mode asked for (main_timer.h). The clock is the system's absolute time,
// and a busy wait has nothing to do between its reads of it.
#pragma once

#include <functional>

#include "platform/platform.h"

namespace axt::macdesk {

class MacRunLoop final : public platform::MainRunLoop {
 public:
  void dispatchAfter(double seconds, std::function<void()> block) override;
  void scheduleTimer(double interval, platform::RunLoopMode mode, std::function<void()> action) override;
  double currentDate() override;
  void busyWaitTurn(double until) override;
};

}  // namespace axt::macdesk
