#include "x11/x11_window_moves.h"

#include <optional>
#include <utility>

#include "x11/x11_display.h"

namespace axt::lindesk {

void X11WindowMoves::onChange(std::function<void(platform::Pid, bool, bool)> changed) {
  changed_ = std::move(changed);
}

void X11WindowMoves::onEvent(const XEvent& event) {
  if (event.type == DestroyNotify) {
    windows_.erase(event.xdestroywindow.window);
    return;
  }
  if (event.type != ConfigureNotify) return;
  auto it = windows_.find(event.xconfigure.window);
  if (it == windows_.end()) return;
  std::optional<platform::Rect> now = x11_.geometry().frame(event.xconfigure.window);
  if (!now) return;
  const platform::Rect before = it->second.frame;
  it->second.frame = *now;
  const bool moved = !(now->origin == before.origin);
  const bool resized = !(now->size == before.size);
  if ((moved || resized) && changed_) changed_(it->second.pid, moved, resized);
}

void X11WindowMoves::follow(platform::Pid pid) {
  Display* d = x11_.display();
  if (d == nullptr) return;
  if (!handlerAdded_) {
    handlerAdded_ = true;
    x11_.addEventHandler([this](const XEvent& event) { onEvent(event); });
  }
  // Only the windows not followed yet are looked at: a switch between
  // applications asks nothing of the windows followed already.
  const auto notFollowed = [this](::Window w) { return windows_.count(w) == 0; };
  for (::Window w : x11_.topLevels().of(pid, notFollowed)) {
    XErrorTrap trap(x11_.traps(), d);
    // Added to what this connection already hears from the window (it may
    // be a host window whose crossings are tracked).
    x11_.selectEvents(w, StructureNotifyMask);
    const std::optional<platform::Rect> frame = x11_.geometry().frame(w);
    if (trap.failed() || !frame) continue;
    windows_.emplace(w, Followed{pid, *frame});
  }
  XFlush(d);
}

}  // namespace axt::lindesk
