#include "clock.h"

namespace simdesk::detail {

double Clock::now() const {
  if (!real_) return virtual_;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - realStart_;
  return realBase_ + elapsed.count();
}

void Clock::useReal(bool real) {
  if (real == real_) return;
  const double reading = now();
  real_ = real;
  if (real_) {
    realBase_ = reading;
    realStart_ = std::chrono::steady_clock::now();
  } else {
    virtual_ = reading;
  }
}

void Clock::advanceTo(double t) {
  if (!real_ && t > virtual_) virtual_ = t;
}

}  // namespace simdesk::detail
