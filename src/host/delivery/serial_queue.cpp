#include "host/delivery/serial_queue.h"

namespace axt::host {

void WorkItem::cancel() {
  std::lock_guard lock(mutex_);
  cancelled_ = true;
}

bool WorkItem::isCancelled() const {
  std::lock_guard lock(mutex_);
  return cancelled_;
}

void WorkItem::perform() {
  if (isCancelled()) return;
  if (block_) block_();
}

SerialQueue::SerialQueue(std::string label)
    : label_(std::move(label)), state_(std::make_shared<State>()) {
  thread_ = std::thread([state = state_] { run(state); });
}

SerialQueue::~SerialQueue() {
  {
    std::lock_guard lock(state_->mutex);
    state_->stopping = true;
    state_->items.clear();
    state_->wake.notify_all();
  }
  if (thread_.get_id() == std::this_thread::get_id()) {
    // Destroyed from one of its own items: that item is still on the stack,
    // so the thread can't be joined; it ends on its own once the item
    // returns, holding the state it needs.
    thread_.detach();
  } else if (thread_.joinable()) {
    thread_.join();
  }
}

void SerialQueue::asyncAfter(Clock::time_point when, std::shared_ptr<WorkItem> item) {
  // Notifying under the lock: once it is released, an item of ours may run
  // and destroy the queue, and the state with it.
  std::lock_guard lock(state_->mutex);
  if (state_->stopping) return;
  state_->items.emplace(std::make_pair(when, state_->sequence++), std::move(item));
  state_->wake.notify_all();
}


void SerialQueue::run(const std::shared_ptr<State>& state) {
  std::unique_lock lock(state->mutex);
  while (!state->stopping) {
    if (state->items.empty()) {
      state->wake.wait(lock);
      continue;
    }
    auto first = state->items.begin();
    // A copy: the item may be cleared away while we wait.
    const Clock::time_point due = first->first.first;
    if (Clock::now() < due) {
      state->wake.wait_until(lock, due);
      continue;
    }
    std::shared_ptr<WorkItem> item = std::move(first->second);
    state->items.erase(first);
    lock.unlock();
    item->perform();
    item.reset();
    lock.lock();
  }
}

}  // namespace axt::host
