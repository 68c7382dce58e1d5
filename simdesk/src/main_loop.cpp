#include "main_loop.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "state.h"

namespace simdesk::detail {

namespace {

// Sets the loop's mode for the length of a run and puts back the one it
// had: a callback may run the loop itself.
class ModeScope {
 public:
  explicit ModeScope(std::string mode) : previous_(std::exchange(session().mode, std::move(mode))) {}
  ~ModeScope() { session().mode = std::move(previous_); }
  ModeScope(const ModeScope&) = delete;
  ModeScope& operator=(const ModeScope&) = delete;

 private:
  std::string previous_;
};

void sleepUntil(double t) {
  const double wait = t - state().clock.now();
  if (wait > 0) std::this_thread::sleep_for(std::chrono::duration<double>(std::min(wait, 0.05)));
}

// Runs items due by t; with `withMain` false only the other applications'.
// With the real clock, items not yet due are waited for when they fall due by
// t, and with `waitForT` so is t itself.
void drive(bool inDefaultMode, bool withMain, double t, std::size_t limit, bool waitForT) {
  std::size_t ran = 0;
  while (ran < limit) {
    // Looked up afresh each turn: the item just run may have reset the desktop.
    State& s = state();
    const bool real = s.clock.real();
    const double now = s.clock.now();
    std::optional<QueuedItem> item = s.loop.takeNext(real ? std::min(t, now) : t, inDefaultMode, withMain);
    if (item) {
      s.clock.advanceTo(item->due);
      ++ran;
      item->run();
      continue;
    }
    if (!real) break;
    const std::optional<double> next = s.loop.nextDue(inDefaultMode, withMain);
    if (next && *next <= t) {
      sleepUntil(*next);
    } else if (waitForT && now < t) {
      sleepUntil(t);
    } else {
      break;
    }
  }
}

}  // namespace

void runLoopUntil(const std::string& mode, double t) {
  if (std::isnan(t)) return;
  ModeScope scope(mode);
  drive(mode == kDefaultModeName, true, t, std::numeric_limits<std::size_t>::max(), true);
  state().clock.advanceTo(t);
}

double runLoopUntilIdle(std::size_t limit) {
  ModeScope scope(kDefaultModeName);
  drive(true, true, std::numeric_limits<double>::max(), limit, false);
  return state().clock.now();
}

void busyWaitTurn(double until) {
  if (std::isnan(until)) return;
  State& s = state();
  if (s.clock.real()) {
    drive(false, false, s.clock.now(), std::numeric_limits<std::size_t>::max(), false);
    return;
  }
  drive(false, false, until, std::numeric_limits<std::size_t>::max(), false);
  state().clock.advanceTo(until);
}

void RunLoopService::dispatchAfter(double seconds, std::function<void()> block) {
  if (!block) return;
  State& s = state();
  s.loop.addMain(s.clock.now() + std::max(0.0, seconds), ItemModes::kAny, std::move(block));
}

void RunLoopService::scheduleTimer(double interval, axt::platform::RunLoopMode mode,
                                   std::function<void()> action) {
  if (!action) return;
  // A timer asked for no interval at all fires after a tenth of a millisecond.
  constexpr double kShortestInterval = 0.0001;
  State& s = state();
  const ItemModes modes =
      mode == axt::platform::RunLoopMode::kDefault ? ItemModes::kDefaultOnly : ItemModes::kAny;
  const double wait = interval > 0 ? interval : kShortestInterval;
  s.loop.addMain(s.clock.now() + wait, modes, std::move(action));
}

double RunLoopService::currentDate() { return state().clock.now(); }

void RunLoopService::busyWaitTurn(double until) { detail::busyWaitTurn(until); }

}  // namespace simdesk::detail
