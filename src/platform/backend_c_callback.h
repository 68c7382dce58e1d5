// A backend's entry points from C code: the sources, listeners, observer
// callbacks, event handlers, timers and blocks it hands to the system. The
// C frames that call them can't unwind a C++ exception, and one that tried
// would end the host's process; each entry point runs its body through
// callFromC, which stops whatever the body throws there and answers with the
// fallback. The work is then lost (a block, an event), the host is not.
#pragma once

#include <utility>

namespace axt::platform::backend {

template <class R, class Body>
R callFromC(R fallback, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return fallback;
  }
}

template <class Body>
void callFromC(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
    // Nothing to answer: the work is dropped.
  }
}

}  // namespace axt::platform::backend
