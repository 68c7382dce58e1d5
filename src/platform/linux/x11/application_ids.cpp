#include "x11/application_ids.h"

#include <vector>

#include "logic/application_id.h"
#include "x11/client_windows.h"
#include "x11/x11_display.h"

namespace axt::lindesk {

std::optional<std::string> ApplicationIds::of(platform::Pid pid) {
  ClientWindows& clients = x11_.clients();
  if (clients.refresh()) {
    if (const std::string* known = clients.known().applicationIdOf(pid)) return *known;
  }
  Display* d = x11_.display();
  if (d == nullptr) return std::nullopt;
  // Changes from here on are heard after the read.
  const unsigned long serial = NextRequest(d);
  const std::vector<::Window> windows = x11_.topLevels().of(pid);
  std::optional<std::string> id = applicationIdAmong(
      windows, [this](ApplicationIdWindow w) { return x11_.properties().text(w, "_GTK_APPLICATION_ID"); });
  if (!id) return std::nullopt;
  // Kept only where the window manager's list tells when the process's
  // windows go.
  clients.known().applicationIdRead(pid, *id, serial);
  return id;
}

}  // namespace axt::lindesk
