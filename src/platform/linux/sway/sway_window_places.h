// What the compositor's tree tells of native Wayland windows, which the X
// server doesn't have: the application id a native client gives itself,
// and where its window is on the screen. A native client's toolkit
// answers AT-SPI's screen coordinates with its window's (it is never told
// where the window is), so its extents are placed from the tree.
#pragma once

#include <utility>
#include <variant>
#include <vector>

#include "logic/handling_cache.h"
#include "logic/kept_for_handling.h"
#include "session/window_places.h"
#include "sway/sway_ipc.h"
#include "sway/sway_tree.h"

namespace axt::lindesk {

class SwayWindowPlaces final : public WindowPlaces {
 public:
  // Within one handling of `readings` (when given) the tree is asked for
  // once: the hot key's caret reads two or three rectangles.
  explicit SwayWindowPlaces(SwayIpc ipc, const HandlingCache* readings = nullptr)
      : ipc_(std::move(ipc)), kept_(readings) {}

  // The first app_id among the process's native windows: empty when it
  // has native windows and none gives one, absent when it has none (or
  // the compositor didn't answer). X11 windows are the X server's to tell.
  std::optional<std::string> applicationIdOf(platform::Pid pid) override;
  std::vector<XWindowPlace> shownWindowsOf(platform::Pid) override { return {}; }
  bool placesRelativeWindows() const override { return true; }
  // Where the surface of the process's native window starts: its only
  // one, else the one of the toolkit window's title, else the focused
  // one; its content's origin, less the room the toolkit keeps around it
  // (surfaceInset). Absent for a process with X11 windows (under XWayland
  // the toolkit knows its place).
  std::optional<platform::Point> relativeOriginOf(platform::Pid pid,
                                                  const std::function<ToolkitWindow()>& windowOf) override;
  std::optional<platform::Pid> activeProcess() override { return std::nullopt; }

 private:
  // The windows of the compositor's tree, kept for the handling; null
  // when it didn't answer.
  const std::vector<SwayWindow>* windows();

  SwayIpc ipc_;
  KeptForHandling<std::monostate, std::vector<SwayWindow>> kept_;
};

}  // namespace axt::lindesk
