// Activity of other applications scheduled by tests and tools.
#include "simdesk/desktop.h"
#include "state.h"

namespace simdesk {

void Desktop::atTime(double t, std::function<void()> action) {
  if (!action) return;
  detail::state().loop.addWorld(t, std::move(action));
}

}  // namespace simdesk
