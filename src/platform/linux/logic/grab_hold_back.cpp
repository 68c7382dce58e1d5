#include "logic/grab_hold_back.h"

#include <algorithm>

namespace axt::lindesk {

void GrabHoldBack::pressed(double now) {
  // A repeat of the held key, or a new press: the grab goes on, or again.
  pressedAt_ = now;
  releasedAt_.reset();
}

void GrabHoldBack::released(double now) {
  if (!pressedAt_) return;
  releasedAt_ = std::max(now, *pressedAt_);
}

std::optional<double> GrabHoldBack::endsAt(double now) const {
  if (!pressedAt_ || now < *pressedAt_) return std::nullopt;
  const double end = releasedAt_ ? *releasedAt_ + kAfterRelease : *pressedAt_ + kLongestGrab;
  if (now >= end) return std::nullopt;
  return end;
}

bool GrabHoldBack::holds(double now) const { return endsAt(now).has_value(); }

}  // namespace axt::lindesk
