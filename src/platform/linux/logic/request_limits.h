// How long a request to another application may take, and what a failed
// or slow one says of the application. An application that doesn't answer
// must not hold the host's main thread for longer than the limit; once it
// has let a request run out, requests to it fail at once until it answers
// again (unresponsive_apps.h).
#pragma once

#include <cstdint>

#include "logic/atspi_errors.h"

namespace axt::lindesk {

// The limit for one request, in milliseconds, and AT-SPI's grace for an
// application that is starting up.
inline constexpr int kRequestTimeoutMs = 1500;
inline constexpr int kStartupTimeoutMs = 3000;

// A request that took nearly the whole limit went unanswered, whatever
// libatspi made of it (`elapsedUs` in microseconds): it says nothing of
// some failed requests (a state set, for one).
bool tookNearlyTheLimit(std::int64_t elapsedUs);

// Whether a failed request marks its application as not answering: one
// that timed out does; an exchange that failed without saying why does
// only when it took the whole limit, as toolkits refuse what they don't
// offer that way too (GTK 4 the cache), at once.
bool marksUnanswered(AtspiFailure failure, bool tookTheLimit);

}  // namespace axt::lindesk
