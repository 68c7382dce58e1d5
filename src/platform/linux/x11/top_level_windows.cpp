#include "x11/top_level_windows.h"

#include "logic/compositor_helpers.h"
#include "logic/frame_walk.h"
#include "x11/client_windows.h"
#include "x11/x11_display.h"

namespace axt::lindesk {

std::optional<platform::Pid> TopLevelWindows::pidOf(::Window window) {
  ClientWindows& clients = x11_.clients();
  clients.catchUp();
  if (const std::optional<std::optional<platform::Pid>> known = clients.known().ownerOf(window)) return *known;
  const std::vector<long> pid = x11_.properties().longs(window, "_NET_WM_PID", 1);
  if (pid.empty()) return std::nullopt;
  // The compositor may draw frames in a client of its own (mutter's
  // frames client), which names itself on them: such a frame is no
  // application's window, and the application's is inside it.
  if (isCompositorHelperProcess(pid[0])) return std::nullopt;
  return static_cast<platform::Pid>(pid[0]);
}

std::optional<::Window> TopLevelWindows::active() {
  Display* d = x11_.display();
  if (d == nullptr) return std::nullopt;
  const std::vector<long> active = x11_.properties().longs(DefaultRootWindow(d), "_NET_ACTIVE_WINDOW", 1);
  if (active.empty() || active[0] == 0) return std::nullopt;
  return static_cast<::Window>(active[0]);
}

void TopLevelWindows::forEach(const std::function<bool(::Window client, ::Window frame)>& visit) {
  Display* d = x11_.display();
  if (d == nullptr) return;
  WindowGeometry& geometry = x11_.geometry();
  walkFrames(geometry.children(DefaultRootWindow(d)), [&](::Window w) { return geometry.children(w); }, visit);
}

std::vector<::Window> TopLevelWindows::of(platform::Pid pid, const std::function<bool(::Window)>& wanted) {
  std::vector<::Window> found;
  const auto take = [&](::Window w) {
    if ((!wanted || wanted(w)) && x11_.geometry().isViewable(w)) found.push_back(w);
  };
  // A window manager lists the windows it manages on the root window: the
  // windows of a process are known without a walk over every window on the
  // screen (toolkits keep many unmapped ones), however deep it nests them.
  ClientWindows& clients = x11_.clients();
  if (clients.refresh()) {
    for (::Window w : clients.known().windowsOf(pid)) take(w);
    return found;
  }
  forEach([&](::Window client, ::Window /*frame*/) {
    const std::optional<platform::Pid> owner = pidOf(client);
    if (owner && *owner == pid) take(client);
    return owner.has_value();
  });
  return found;
}

}  // namespace axt::lindesk
