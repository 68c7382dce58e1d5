#include "host/delivery/debouncer.h"

#include <chrono>
#include <utility>

namespace axt::host {

Debouncer::Debouncer() : state_(std::make_shared<State>()), queue_("debouncer") {}

Debouncer::~Debouncer() {
  {
    std::lock_guard lock(state_->mutex);
    if (state_->workItem) state_->workItem->cancel();
  }
  // queue_ is destroyed next (members in reverse order): it joins its thread.
}

void Debouncer::call(double after, std::any params, std::function<void()> action) {
  std::weak_ptr<State> weak = state_;
  auto item = std::make_shared<WorkItem>([weak, action = std::move(action)] {
    std::shared_ptr<State> state = weak.lock();
    if (!state) return;
    if (action) action();
    std::lock_guard lock(state->mutex);
    state->latestEventParams.reset();
  });
  {
    std::lock_guard lock(state_->mutex);
    state_->latestEventParams = std::move(params);
    if (state_->workItem) state_->workItem->cancel();
    state_->workItem = item;
  }
  auto delay = std::chrono::duration_cast<SerialQueue::Clock::duration>(
      std::chrono::duration<double>(after > 0 ? after : 0));
  queue_.asyncAfter(SerialQueue::Clock::now() + delay, std::move(item));
}

}  // namespace axt::host
