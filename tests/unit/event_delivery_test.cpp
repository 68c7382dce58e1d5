// Delivery where no scenario reaches: text no scenario file can hold, the
// run loop in another mode, the host calling back from its callback, and
// the debouncer's own thread. Delays, coalescing and the callback's
// lifecycle are in the scenarios delivery_timing and callback_lifecycle;
// the sequence fuzzer checks them against an account of every hand-over.
#include <atomic>
#include <chrono>
#include <condition_variable>
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
