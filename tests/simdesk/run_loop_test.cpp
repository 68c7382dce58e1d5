// The virtual clock and the main run loop: time order, modes, busy waits.
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "fixture.h"

namespace simdesk_test {
namespace {

class RunLoopTest : public DesktopTest {
 protected:
  std::vector<std::string> log;

  std::function<void()> note(std::string what) {
    return [this, what = std::move(what)] {
      log.push_back(what + "@" + std::to_string(desk().now()).substr(0, 5));
    };
  }
};

TEST_F(RunLoopTest, RunsItemsInTimeOrderAtTheirOwnTime) {
  loop().dispatchAfter(0.3, note("c"));
  loop().dispatchAfter(0.1, note("a"));
  loop().scheduleTimer(0.2, ap::RunLoopMode::kDefault, note("b"));
  loop().dispatchAfter(0.1, note("a2"));  // same time: scheduling order
  EXPECT_EQ(desk().pendingMainLoopItems(), 4u);

  desk().runUntil(0.25);
  EXPECT_EQ(log, (std::vector<std::string>{"a@0.100", "a2@0.100", "b@0.200"}));
  EXPECT_DOUBLE_EQ(desk().now(), 0.25);
  EXPECT_EQ(desk().pendingMainLoopItems(), 1u);
}

TEST_F(RunLoopTest, ItemsScheduledByItemsRunWhenDueWithinTheSameRun) {
  loop().dispatchAfter(0.1, [this] {
    note("outer")();
    loop().dispatchAfter(0.05, note("inner"));
    loop().dispatchAfter(1.0, note("late"));
  });
  desk().runUntil(0.5);
  EXPECT_EQ(log, (std::vector<std::string>{"outer@0.100", "inner@0.150"}));
  EXPECT_DOUBLE_EQ(desk().now(), 0.5);
}

TEST_F(RunLoopTest, DefaultModeTimersWaitWhileTheLoopRunsInAnotherMode) {
  std::vector<std::string> modes;
  loop().scheduleTimer(0.1, ap::RunLoopMode::kDefault, note("default-timer"));
  loop().scheduleTimer(0.1, ap::RunLoopMode::kCommon, note("common-timer"));
  loop().dispatchAfter(0.2, [&] { modes.push_back(desk().currentMode()); });

  desk().runInModeUntil("tracking", 1.0);
  EXPECT_EQ(log, (std::vector<std::string>{"common-timer@0.100"}));
  EXPECT_EQ(modes, (std::vector<std::string>{"tracking"}));
  EXPECT_EQ(desk().currentMode(), "");

  loop().dispatchAfter(0, [&] { modes.push_back(desk().currentMode()); });
  desk().runUntil(1.5);  // the waiting timer is overdue: runs at once
  EXPECT_EQ(log.back(), "default-timer@1.000");
  EXPECT_EQ(modes.back(), "kCFRunLoopDefaultMode");
}

TEST_F(RunLoopTest, RunUntilIdleStopsAtTheLastItemOrTheLimit) {
  loop().dispatchAfter(0.4, note("x"));
  loop().scheduleTimer(0.7, ap::RunLoopMode::kDefault, note("y"));
  EXPECT_DOUBLE_EQ(desk().runUntilIdle(), 0.7);
  EXPECT_EQ(log.size(), 2u);

  // Endless rescheduling is cut off by the limit.
  std::function<void()> again = [&] { loop().dispatchAfter(0.01, again); };
  loop().dispatchAfter(0.01, again);
  desk().runUntilIdle(50);
  EXPECT_EQ(desk().pendingMainLoopItems(), 1u);
  EXPECT_NEAR(desk().now(), 0.7 + 50 * 0.01, 1e-9);
}

TEST_F(RunLoopTest, BusyWaitAdvancesTimeWithoutRunningTheMainLoop) {
  bool ran = false;
  loop().dispatchAfter(0.01, [&] { ran = true; });
  double deadline = loop().currentDate() + 0.2;
  while (loop().currentDate() < deadline) loop().busyWaitTurn(deadline);
  EXPECT_FALSE(ran);
  EXPECT_DOUBLE_EQ(desk().now(), 0.2);
  desk().runUntil(0.2);
  EXPECT_TRUE(ran);
}

TEST_F(RunLoopTest, OtherApplicationsActInTimeOrderWithTheMainLoopAndDuringBusyWaits) {
  loop().dispatchAfter(0.2, note("main"));
  desk().atTime(0.2, note("world-same-time"));  // scheduled later: runs after
  desk().atTime(0.1, note("world"));
  desk().runUntil(0.3);
  EXPECT_EQ(log, (std::vector<std::string>{"world@0.100", "main@0.200", "world-same-time@0.200"}));

  log.clear();
  desk().atTime(0.5, note("during-wait"));
  loop().dispatchAfter(0.1, note("held"));
  loop().busyWaitTurn(1.0);
  EXPECT_EQ(log, (std::vector<std::string>{"during-wait@0.500"}));
  EXPECT_DOUBLE_EQ(desk().now(), 1.0);
}

}  // namespace
}  // namespace simdesk_test
