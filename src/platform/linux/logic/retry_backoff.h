// Connecting again after the accessibility bus went away: soon, then less
// and less often, never less often than the longest delay. A new bus that
// announces itself is tried at once, outside this schedule.
#pragma once

namespace axt::lindesk {

class RetryBackoff {
 public:
  static constexpr double kFirstSeconds = 0.25;
  static constexpr double kLongestSeconds = 8.0;

  // The bus was lost: the delay before the first try.
  double start();
  // A try failed: the delay before the next one.
  double failed();

 private:
  double delay_ = 0;
};

}  // namespace axt::lindesk
