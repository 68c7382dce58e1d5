// The desktop's clock: virtual by default, so that tests and scenarios are
// deterministic; optionally the machine's monotonic time.
#pragma once

#include <chrono>

namespace simdesk::detail {

class Clock {
 public:
  double now() const;
  bool real() const { return real_; }
  // Switching keeps the current reading, so time never jumps backwards.
  void useReal(bool real);
  // Moves a virtual clock forward to t; earlier times leave it alone. A real
  // clock follows the machine and ignores this.
  void advanceTo(double t);

 private:
  bool real_ = false;
  double virtual_ = 0;
  double realBase_ = 0;
  std::chrono::steady_clock::time_point realStart_{};
};

}  // namespace simdesk::detail
