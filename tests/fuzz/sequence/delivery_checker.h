// The fuzzer's account of event delivery: every hand-over (with its virtual
// time and what the host must receive for it), every delivery, and what
// the library's one pending slot must hold in between. Each broken rule
// aborts with a message.
//
// The rules, all following from one pending slot whose every hand-over
// schedules exactly one delivery run 0.18 s later (never cancelled):
// - a delivery carries the last hand-over made since the previous delivery
//   (and since main emptied the slot): exactly the name and JSON text it
//   was handed over with, so nothing is delivered twice and nothing stale
//   comes back;
// - the k-th delivery comes no earlier than 0.18 s after the k-th hand-over
//   (k deliveries need k runs, and a run fires 0.18 s or more after its
//   hand-over). A delivery can come sooner after its own hand-over than
//   that: a run scheduled by an earlier hand-over delivers whatever is
//   pending when it fires;
// - deliveries come in non-decreasing virtual time;
// - each JSON text is valid UTF-8 and an object our reader reads, and the
//   name is one of the library's events;
// - an event pending 0.18 s after its hand-over, while a callback was
//   registered and the loop ran undisturbed in its default mode, is late;
//   at the end, after the loop has run on, an event handed over while a
//   callback was registered, and not removed since, has been delivered.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/delivery/event_params.h"

namespace axt::fuzz {

class DeliveryChecker {
 public:
  void reset();

  // A hand-over the library is about to make at virtual time `at`.
  void handOver(double at, host::EventParams params, bool callbackRegistered);
  // The host callback was called at `at`.
  void delivered(double at, std::string_view name, std::string_view json);
  // main emptied the module values.
  void slotEmptied();
  // The host callback became null (main, or initMacAccessibility(null)).
  void callbackRemoved();
  // The loop ran in another mode, or the main thread busy-waited: delivery
  // runs may come late.
  void loopDisturbed();

  // The library's pending slot holds what the account says it must.
  void checkSlot(const std::optional<host::EventParams>& slot, std::string_view when) const;
  // No event is late at `now` (see above).
  void checkNotOverdue(double now) const;
  // Whether an event is pending that must still reach the host.
  bool owesDelivery() const;
  std::optional<double> lastHandOverAt() const;

  std::size_t handOvers() const { return handOverTimes_.size(); }
  std::size_t deliveries() const { return deliveries_; }

 private:
  struct Pending {
    double at = 0;
    host::EventParams params;
    std::string name;  // as the host must receive them
    std::string json;
  };

  std::optional<Pending> pending_;
  bool callbackSinceHandOver_ = false;
  bool undisturbedSinceHandOver_ = false;
  std::vector<double> handOverTimes_;
  std::size_t deliveries_ = 0;
  double lastDeliveryAt_ = 0;
};

}  // namespace axt::fuzz
