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

std::optional<platform::Point> SwayWindowPlaces::relativeOriginOf(platform::Pid pid,
                                                                  const std::function<std::string()>& titleOf) {
  if (pid <= 0) return std::nullopt;
  const std::optional<IpcMessage> reply = ipc_.ask(IpcType::kGetTree, "");
  if (!reply) return std::nullopt;
  std::vector<SwayWindow> native;
  for (SwayWindow& w : swayWindows(reply->payload)) {
    if (w.pid != pid) continue;
    if (w.x11) return std::nullopt;
    if (w.content.size.width > 0) native.push_back(std::move(w));
  }
  if (native.empty()) return std::nullopt;
  if (native.size() == 1) return native.front().content.origin;
  const std::string title = titleOf();
  const SwayWindow* chosen = nullptr;
  for (const SwayWindow& w : native) {
    if (w.title != title) continue;
    // Two windows of one title can't be told apart by it.
    if (chosen != nullptr) {
      chosen = nullptr;
      break;
    }
    chosen = &w;
  }
  if (chosen == nullptr) {
    for (const SwayWindow& w : native) {
      if (w.focused) chosen = &w;
    }
  }
  if (chosen == nullptr) return std::nullopt;
  return chosen->content.origin;
}

}  // namespace axt::lindesk
