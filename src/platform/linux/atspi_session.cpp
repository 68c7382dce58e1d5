#include "atspi_session.h"

#include <string>

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

// How long one request to another application may take before it counts as
// failed, in milliseconds; an application that doesn't answer must not hold
// the host's main thread for longer. The second figure is AT-SPI's grace for
// an application that is starting up.
constexpr gint kRequestTimeoutMs = 1500;
constexpr gint kStartupTimeoutMs = 3000;

enum class Connection { kUntried, kUp, kDown };

Connection& connection() {
  static Connection c = Connection::kUntried;
  return c;
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

bool atspiReady() {
  Connection& c = connection();
  if (c == Connection::kUntried) {
    // 0: connected now; 1: connected already (the host's own toolkit may
    // have done it). Anything else: no bus.
    const int result = atspi_init();
    c = (result == 0 || result == 1) ? Connection::kUp : Connection::kDown;
    if (c == Connection::kUp) atspi_set_timeout(kRequestTimeoutMs, kStartupTimeoutMs);
  }
  return c == Connection::kUp;
}

GRef<AtspiAccessible> desktop() {
  if (!atspiReady()) return {};
  return GRef<AtspiAccessible>::adopt(atspi_get_desktop(0));
}

platform::AXError errorCodeFor(const GErrorHolder& error) {
  if (!error) return axerr::kSuccess;
  const std::string message = error.message();
  if (contains(message, "UnknownObject") || contains(message, "ServiceUnknown") ||
      contains(message, "NameHasNoOwner") || contains(message, "no longer exists") ||
      contains(message, "Disconnected") || contains(message, "defunct")) {
    return axerr::kInvalidUIElement;
  }
  if (contains(message, "UnknownMethod") || contains(message, "UnknownInterface") ||
      contains(message, "UnknownProperty") || contains(message, "not implemented")) {
    return axerr::kAttributeUnsupported;
  }
  return axerr::kCannotComplete;
}

bool isDefunct(AtspiAccessible* accessible) {
  if (accessible == nullptr) return true;
  GRef<AtspiStateSet> states = GRef<AtspiStateSet>::adopt(atspi_accessible_get_state_set(accessible));
  return states && atspi_state_set_contains(states.get(), ATSPI_STATE_DEFUNCT);
}

}  // namespace axt::lindesk
