#include "run_loop.h"

namespace axt::macdesk {

// Apart from the rest of the run loop: the simulated frameworks, whose clock
// moves only when told, put their own turn in its place.
void MacRunLoop::busyWaitTurn(double /*until*/) {
  // The clock moves by itself, and nothing of this process needs serving
  // while the caller waits.
}

}  // namespace axt::macdesk
