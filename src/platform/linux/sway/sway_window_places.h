// What the compositor's tree tells of native Wayland windows, which the X
// server doesn't have: the application id a native client gives itself.
// Where a window is on the screen it says too, but a native client's text
// extents are its own surface's, which AT-SPI doesn't tell apart from the
// screen's, so no place is claimed here (the host gets the extents the
// toolkit gives, relative to its window).
#pragma once

#include <utility>

#include "session/window_places.h"
#include "sway/sway_ipc.h"

namespace axt::lindesk {

class SwayWindowPlaces final : public WindowPlaces {
 public:
  explicit SwayWindowPlaces(SwayIpc ipc) : ipc_(std::move(ipc)) {}

  // The first app_id among the process's native windows: empty when it
  // has native windows and none gives one, absent when it has none (or
  // the compositor didn't answer). X11 windows are the X server's to tell.
  std::optional<std::string> applicationIdOf(platform::Pid pid) override;
  std::vector<XWindowPlace> shownWindowsOf(platform::Pid) override { return {}; }
  std::optional<platform::Pid> activeProcess() override { return std::nullopt; }

 private:
  SwayIpc ipc_;
};

}  // namespace axt::lindesk
