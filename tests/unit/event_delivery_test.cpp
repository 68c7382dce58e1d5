// Delivery over time: coalescing, ordering, the two-stage delay, a missing
// callback, re-registration and re-entrant hand-overs.
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>

#include "harness.h"
#include "host/delivery/debouncer.h"
#include "host/delivery/event_delivery.h"

namespace axt::testing {
namespace {

using host::callbackWraper;
using host::EventData;

class DeliveryTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    host::initMacAccessibility(&LibraryTest::onEvent);
  }
};

TEST_F(DeliveryTest, OneEventArrivesAfterBothStages) {
  callbackWraper("app_changed", EventData{{"name", "Editor"}});
  desk().runUntil(0.179);
  EXPECT_TRUE(deliveries.empty());
  desk().runUntil(0.181);
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].name, "app_changed");
  EXPECT_EQ(deliveries[0].json, R"({"name":"Editor"})");
  EXPECT_NEAR(deliveries[0].at, 0.18, 1e-9);
  desk().runUntilIdle();
  EXPECT_EQ(deliveries.size(), 1u) << "the slot is empty after delivery";
}

TEST_F(DeliveryTest, BurstCoalescesIntoItsLastEvent) {
  callbackWraper("a", EventData{});
  desk().runUntil(0.02);
  callbackWraper("b", EventData{});
  desk().runUntil(0.05);
  callbackWraper("c", EventData{{"k", 1}});
  desk().runUntilIdle();
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].name, "c");
  EXPECT_EQ(deliveries[0].json, R"({"k":1})");
  EXPECT_NEAR(deliveries[0].at, 0.18, 1e-9) << "the first run delivers what is pending then";
}

TEST_F(DeliveryTest, EventsApartArriveInOrder) {
  callbackWraper("a", EventData{});
  desk().runUntil(0.25);
  callbackWraper("b", EventData{});
  desk().runUntilIdle();
  ASSERT_EQ(names(), (std::vector<std::string>{"a", "b"}));
  EXPECT_NEAR(deliveries[1].at, 0.43, 1e-9);
}

TEST_F(DeliveryTest, DataIsWrittenAsCompactSortedJson) {
  callbackWraper("x", EventData{{"url", "a/b"},
                                {"absent", json::Value()},
                                {"n", 2.5},
                                {"whole", 3.0},
                                {"nested", json::Object{{"z", true}, {"a", false}}}});
  desk().runUntilIdle();
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].json,
            R"({"absent":null,"n":2.5,"nested":{"a":false,"z":true},"url":"a\/b","whole":3})");
}

TEST_F(DeliveryTest, EmptyDataIsAnEmptyObject) {
  callbackWraper("caret", EventData{});
  desk().runUntilIdle();
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].json, "{}");
}

TEST_F(DeliveryTest, NonFiniteNumbersAreDeliveredAsNull) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  callbackWraper("text_select", EventData{{"h", nan}, {"w", -inf}});
  desk().runUntilIdle();
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].json, R"({"h":null,"w":null})");
}

TEST_F(DeliveryTest, IllFormedTextIsRepairedNotWithheld) {
  callbackWraper("text_select", EventData{{"selected_text", std::string("ab\xff")}});
  desk().runUntilIdle();
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].json, "{\"selected_text\":\"ab\xEF\xBF\xBD\"}");
}

TEST_F(DeliveryTest, TimersWaitWhileTheLoopRunsInAnotherMode) {
  callbackWraper("a", EventData{});
  desk().runInModeUntil("tracking", 1.0);
  EXPECT_TRUE(deliveries.empty());
  desk().runUntil(1.0);
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_NEAR(deliveries[0].at, 1.0, 1e-9);
}

TEST_F(DeliveryTest, WithoutCallbackTheEventWaitsForOne) {
  host::initMacAccessibility(nullptr);
  callbackWraper("a", EventData{});
  desk().runUntil(0.1);
  host::initMacAccessibility(&LibraryTest::onEvent);
  desk().runUntilIdle();
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].name, "a");
}

TEST_F(DeliveryTest, WithoutCallbackANewerEventReplacesTheWaitingOne) {
  host::initMacAccessibility(nullptr);
  callbackWraper("a", EventData{});
  desk().runUntil(1.0);
  callbackWraper("b", EventData{});
  host::initMacAccessibility(&LibraryTest::onEvent);
  desk().runUntilIdle();
  EXPECT_EQ(names(), (std::vector<std::string>{"b"}));
}

TEST_F(DeliveryTest, MainEmptiesThePendingEvent) {
  callbackWraper("a", EventData{});
  host::main(0, nullptr);
  host::initMacAccessibility(&LibraryTest::onEvent);
  desk().runUntilIdle();
  EXPECT_TRUE(deliveries.empty());
}

// The host calling into the library from its callback, leading to an event.
std::vector<std::string>* gReentrantLog = nullptr;
void reentrantCallback(const char* name, const char* json) {
  gReentrantLog->push_back(std::string(name) + " " + json);
  if (std::string(name) == "first") callbackWraper("second", EventData{});
}

TEST_F(DeliveryTest, EventHandedOverDuringTheCallbackIsNotLost) {
  std::vector<std::string> log;
  gReentrantLog = &log;
  host::initMacAccessibility(&reentrantCallback);
  callbackWraper("first", EventData{});
  desk().runUntilIdle();
  gReentrantLog = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"first {}", "second {}"}));
}

TEST_F(DeliveryTest, NoEventIsDeliveredTwice) {
  for (int i = 0; i < 20; ++i) {
    callbackWraper("e" + std::to_string(i), EventData{});
    runFor(i % 3 == 0 ? 0.2 : 0.05);
  }
  desk().runUntilIdle();
  std::vector<std::string> seen = names();
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
  EXPECT_EQ(deliveries.back().name, "e19");
  for (std::size_t i = 1; i < deliveries.size(); ++i) {
    EXPECT_LE(deliveries[i - 1].at, deliveries[i].at);
  }
}

// The debouncer runs on a thread of its own, so these tests wait on its
// work with a condition variable rather than the virtual clock.
struct Signal {
  std::mutex mutex;
  std::condition_variable cv;
  std::vector<int> ran;
  std::thread::id thread;
  void record(int i) {
    std::lock_guard lock(mutex);
    ran.push_back(i);
    thread = std::this_thread::get_id();
    cv.notify_all();
  }
  bool waitFor(std::size_t n) {
    std::unique_lock lock(mutex);
    return cv.wait_for(lock, std::chrono::seconds(10), [&] { return ran.size() >= n; });
  }
};

TEST(Debouncer, OnlyTheLastOfCloseCallsRunsOnItsOwnQueue) {
  Signal signal;
  host::Debouncer debouncer;
  for (int i = 1; i <= 3; ++i) {
    debouncer.call(0.05, std::any(i), [&signal, i] { signal.record(i); });
  }
  ASSERT_TRUE(signal.waitFor(1));
  EXPECT_EQ(signal.ran, std::vector<int>{3});
  EXPECT_NE(signal.thread, std::this_thread::get_id());
}

TEST(Debouncer, DestroyingItCancelsPendingWork) {
  auto ran = std::make_shared<std::atomic<int>>(0);
  {
    host::Debouncer debouncer;
    debouncer.call(30.0, std::any(), [ran] { ++*ran; });
  }
  EXPECT_EQ(ran->load(), 0);
}

TEST(Debouncer, CanBeDestroyedFromItsOwnAction) {
  Signal signal;
  auto debouncer = std::make_shared<host::Debouncer>();
  std::weak_ptr<host::Debouncer> weak = debouncer;
  auto* raw = debouncer.get();
  std::shared_ptr<host::Debouncer> holder = debouncer;
  debouncer.reset();
  raw->call(0.0, std::any(), [&signal, &holder] {
    holder.reset();  // the last reference goes away inside the action
    signal.record(1);
  });
  ASSERT_TRUE(signal.waitFor(1));
  EXPECT_TRUE(weak.expired());
}

}  // namespace
}  // namespace axt::testing
