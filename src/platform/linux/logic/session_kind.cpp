#include "logic/session_kind.h"

namespace axt::lindesk {

SessionKind chooseSession(const SessionEnvironment& environment) {
  if (environment.display.empty()) return SessionKind::kNone;
  if (environment.sessionType == "x11") return SessionKind::kX11;
  if (environment.sessionType == "wayland") return SessionKind::kXWayland;
  return environment.waylandDisplay.empty() ? SessionKind::kX11 : SessionKind::kXWayland;
}

std::string compositorIpcSocket(SessionKind kind, const SessionEnvironment& environment) {
  if (kind == SessionKind::kX11) return {};
  return environment.swaySocket;
}

}  // namespace axt::lindesk
