// A serial work queue on a thread of its own: items run one at a time, in
// the order of their due times, and a cancelled item that hasn't started
// never runs.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace axt::host {

class WorkItem {
 public:
  explicit WorkItem(std::function<void()> block) : block_(std::move(block)) {}
  void cancel();
  bool isCancelled() const;
  // Runs the block unless cancelled.
  void perform();

 private:
  mutable std::mutex mutex_;
  bool cancelled_ = false;
  std::function<void()> block_;
};

class SerialQueue {
 public:
  using Clock = std::chrono::steady_clock;

  explicit SerialQueue(std::string label);
  // Cancels what hasn't started, waits for a running item to end.
  ~SerialQueue();
  SerialQueue(const SerialQueue&) = delete;
  SerialQueue& operator=(const SerialQueue&) = delete;

  const std::string& label() const { return label_; }
  void asyncAfter(Clock::time_point when, std::shared_ptr<WorkItem> item);

 private:
  // Shared with the thread, which may outlive the queue object when the
  // queue is destroyed from one of its own items.
  struct State {
    std::mutex mutex;
    std::condition_variable wake;
    std::multimap<std::pair<Clock::time_point, std::uint64_t>, std::shared_ptr<WorkItem>> items;
    std::uint64_t sequence = 0;
    bool stopping = false;
  };
  static void run(const std::shared_ptr<State>& state);

  std::string label_;
  std::shared_ptr<State> state_;
  std::thread thread_;
};

}  // namespace axt::host
