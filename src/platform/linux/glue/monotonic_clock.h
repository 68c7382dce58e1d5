// The clock every duration in the backend is measured on: the monotonic
// one, which a change of the system's time (a user's, or NTP's step)
// doesn't move, so that no pause or limit stretches or shrinks with it.
#pragma once

#include <glib.h>

namespace axt::lindesk {

inline double monotonicSeconds() { return static_cast<double>(g_get_monotonic_time()) / 1e6; }

}  // namespace axt::lindesk
