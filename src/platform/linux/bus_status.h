// Whether the accessibility bus is there and switched on, as the session's
// accessibility status says (org.a11y.Status IsEnabled of org.a11y.Bus),
// and the request to switch it on.
#pragma once

#include <optional>

namespace axt::lindesk {

// Absent when the session bus or the accessibility bus can't be reached.
std::optional<bool> accessibilityEnabled();

// Asks the session to switch accessibility on; true when the request went
// through.
bool enableAccessibility();

}  // namespace axt::lindesk
