#include "sway/sway_window_places.h"

#include "logic/window_choice.h"
#include "logic/window_place.h"

namespace axt::lindesk {

const std::vector<SwayWindow>* SwayWindowPlaces::windows() {
  if (const std::vector<SwayWindow>* kept = kept_.find({})) return kept;
  const std::optional<IpcMessage> reply = ipc_.ask(IpcType::kGetTree, "");
  if (!reply) return nullptr;
  return &kept_.keep({}, swayWindows(reply->payload));
}

std::optional<std::string> SwayWindowPlaces::applicationIdOf(platform::Pid pid) {
  if (pid <= 0) return std::nullopt;
  const std::vector<SwayWindow>* windows = this->windows();
  if (windows == nullptr) return std::nullopt;
  std::optional<std::string> id;
  for (const SwayWindow& w : *windows) {
    if (w.pid != pid || w.x11) continue;
    if (!w.appId.empty()) return w.appId;
    id = std::string();
  }
  return id;
}

std::optional<platform::Point> SwayWindowPlaces::relativeOriginOf(platform::Pid pid,
                                                                  const std::function<ToolkitWindow()>& windowOf) {
  if (pid <= 0) return std::nullopt;
  const std::vector<SwayWindow>* windows = this->windows();
  if (windows == nullptr) return std::nullopt;
  const std::optional<std::vector<const SwayWindow*>> native =
      nativeWindowsAmong(*windows, [pid](const SwayWindow& w) { return w.pid == pid; }, &SwayWindow::content);
  if (!native || native->empty()) return std::nullopt;
  const ToolkitWindow toolkit = windowOf();
  const SwayWindow* chosen = windowTitled(*native, toolkit.title);
  if (chosen == nullptr) return std::nullopt;
  const platform::Point inset = surfaceInset(chosen->content.size, toolkit.size);
  return platform::Point{chosen->content.origin.x - inset.x, chosen->content.origin.y - inset.y};
}

}  // namespace axt::lindesk
