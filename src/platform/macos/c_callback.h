// The backend's entry points from system code: the accessibility observer
// callback, the event manager's handler, dispatch functions, timer blocks,
// notification blocks and the methods AppKit calls on our objects. The
// system frames that call them can't unwind a C++ exception, and one that
// tried would end the host's process; each entry point runs its body
// through callFromC, which stops whatever the body throws and answers with
// the fallback. The work is then lost (a block, an event), the host is not.
#pragma once

#include <utility>

namespace axt::macdesk {

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

}  // namespace axt::macdesk
