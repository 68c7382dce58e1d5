#include "logic/request_limits.h"

namespace axt::lindesk {

bool tookNearlyTheLimit(std::int64_t elapsedUs) {
  return elapsedUs >= std::int64_t{kRequestTimeoutMs} * 1000 * 9 / 10;
}

bool marksUnanswered(AtspiFailure failure, bool tookTheLimit) {
  return failure == AtspiFailure::kTimedOut || (failure == AtspiFailure::kExchangeFailed && tookTheLimit);
}

}  // namespace axt::lindesk
