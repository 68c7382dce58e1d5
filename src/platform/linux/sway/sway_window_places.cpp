#include "sway/sway_window_places.h"

#include "logic/window_choice.h"
#include "logic/window_place.h"

namespace axt::lindesk {

const std::vector<SwayWindow>* SwayWindowPlaces::windows() {
  const std::optional<std::uint64_t> era = readings_ != nullptr ? readings_->era() : std::nullopt;
  if (era && keptEra_ == era) return &kept_;
  keptEra_.reset();
  const std::optional<IpcMessage> reply = ipc_.ask(IpcType::kGetTree, "");
  if (!reply) return nullptr;
  kept_ = swayWindows(reply->payload);
  keptEra_ = era;
  return &kept_;
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
  std::vector<const SwayWindow*> native;
  for (const SwayWindow& w : *windows) {
    if (w.pid != pid) continue;
    if (w.x11) return std::nullopt;
    if (w.content.size.width > 0) native.push_back(&w);
  }
  if (native.empty()) return std::nullopt;
  const ToolkitWindow toolkit = windowOf();
  const SwayWindow* chosen = windowTitled(native, toolkit.title);
  if (chosen == nullptr) return std::nullopt;
  const platform::Point inset = surfaceInset(chosen->content.size, toolkit.size);
  return platform::Point{chosen->content.origin.x - inset.x, chosen->content.origin.y - inset.y};
}

}  // namespace axt::lindesk
