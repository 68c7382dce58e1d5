#include "x11/x11_window_places.h"

#include "x11/x11_display.h"

namespace axt::lindesk {

std::optional<std::string> X11WindowPlaces::applicationIdOf(platform::Pid pid) {
  return x11_.applicationIds().of(pid);
}

std::vector<XWindowPlace> X11WindowPlaces::shownWindowsOf(platform::Pid pid) {
  std::vector<XWindowPlace> windows;
  for (::Window w : x11_.topLevels().of(pid)) {
    if (!x11_.geometry().isViewable(w)) continue;
    if (std::optional<platform::Rect> frame = x11_.geometry().frame(w)) {
      windows.push_back(XWindowPlace{*frame, x11_.properties().longs(w, "_GTK_FRAME_EXTENTS", 4)});
    }
  }
  return windows;
}

std::optional<platform::Point> X11WindowPlaces::relativeOriginOf(platform::Pid pid,
                                                                 const std::function<ToolkitWindow()>&) {
  if (pid <= 0 || x11_.topLevels().of(pid).empty()) return std::nullopt;
  return platform::Point{0, 0};
}

std::optional<platform::Pid> X11WindowPlaces::activeProcess() {
  const std::optional<::Window> w = x11_.topLevels().active();
  if (!w) return std::nullopt;
  return x11_.topLevels().pidOf(*w);
}

}  // namespace axt::lindesk
