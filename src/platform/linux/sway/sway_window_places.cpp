#include "sway/sway_window_places.h"

#include "sway/sway_tree.h"

namespace axt::lindesk {

std::optional<std::string> SwayWindowPlaces::applicationIdOf(platform::Pid pid) {
  if (pid <= 0) return std::nullopt;
  const std::optional<IpcMessage> reply = ipc_.ask(IpcType::kGetTree, "");
  if (!reply) return std::nullopt;
  std::optional<std::string> id;
  for (const SwayWindow& w : swayWindows(reply->payload)) {
    if (w.pid != pid || w.x11) continue;
    if (!w.appId.empty()) return w.appId;
    id = std::string();
  }
  return id;
}

}  // namespace axt::lindesk
