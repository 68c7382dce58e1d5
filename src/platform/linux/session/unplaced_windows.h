// Native Wayland windows where no way of the session tells where they are
// (mutter, KWin): a toolkit that gives a range's extents only relative to
// its window (GTK 4) has them left so, as GTK 3 and Qt give theirs, rather
// than none at all and the selection lost with them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/window_places.h"

namespace axt::lindesk {

class UnplacedNativeWindows final : public WindowPlaces {
 public:
  std::optional<std::string> applicationIdOf(platform::Pid) override { return std::nullopt; }
  std::vector<XWindowPlace> shownWindowsOf(platform::Pid) override { return {}; }
  std::optional<platform::Pid> activeProcess() override { return std::nullopt; }
  // Asked only for a window no other way placed: its own origin.
  std::optional<platform::Point> relativeOriginOf(platform::Pid pid, const std::function<ToolkitWindow()>&) override {
    if (pid <= 0) return std::nullopt;
    return platform::Point{0, 0};
  }
};

}  // namespace axt::lindesk
