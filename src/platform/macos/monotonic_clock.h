// Seconds on the system's clock that never goes back (the time since boot,
// less the time asleep), for measuring how long a request waited.
#pragma once

namespace axt::macdesk {

double monotonicSeconds();

}  // namespace axt::macdesk
