// A general-purpose cancelling debouncer: of calls closer together than the
// delay, only the last one's action runs, on the debouncer's own queue.
#pragma once

#include <any>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "host/delivery/serial_queue.h"

namespace axt::host {

class Debouncer {
 public:
  Debouncer();
  // Cancels pending work and waits for a running action to finish, so no
  // work outlives the debouncer.
  virtual ~Debouncer();
  Debouncer(const Debouncer&) = delete;
  Debouncer& operator=(const Debouncer&) = delete;

  virtual void call(double after, std::any params, std::function<void()> action);

 private:
  // What the work items refer to: the debouncer's fields without owning the
  // debouncer, so an item that fires late finds them gone and does nothing.
  struct State {
    std::mutex mutex;
    std::shared_ptr<WorkItem> workItem;
    std::optional<std::any> latestEventParams;
  };

  std::shared_ptr<State> state_;
  SerialQueue queue_;
};

}  // namespace axt::host
