#include "monotonic_clock.h"

#include <time.h>

namespace axt::macdesk {

// Apart from the rest of the backend: over the simulated frameworks the
// desktop's own clock, which moves only when told, stands in its place.
double monotonicSeconds() { return static_cast<double>(clock_gettime_nsec_np(CLOCK_UPTIME_RAW)) / 1e9; }

}  // namespace axt::macdesk
