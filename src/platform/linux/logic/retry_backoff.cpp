#include "logic/retry_backoff.h"

#include <algorithm>

namespace axt::lindesk {

double RetryBackoff::start() {
  delay_ = kFirstSeconds;
  return delay_;
}

double RetryBackoff::failed() {
  delay_ = std::min(std::max(delay_, kFirstSeconds) * 2, kLongestSeconds);
  return delay_;
}

}  // namespace axt::lindesk
