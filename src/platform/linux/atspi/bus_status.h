// Whether the accessibility bus is there and switched on, as the session's
// accessibility status says (org.a11y.Status IsEnabled of org.a11y.Bus),
// the request to switch it on, and the request that starts it again.
#pragma once

#include <optional>

namespace axt::lindesk {

// Absent when the session bus or the accessibility bus can't be reached.
std::optional<bool> accessibilityEnabled();

// Asks the session to switch accessibility on; true when the request went
// through.
bool enableAccessibility();

// Asks the session bus for the accessibility bus's address without waiting
// for the answer: a session bus starts the bus's launcher on demand, and
// the launcher publishes the new bus's address.
void askForAccessibilityBus();

}  // namespace axt::lindesk
