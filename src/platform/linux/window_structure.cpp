#include "window_structure.h"

#include <map>
#include <set>

#include "applications.h"
#include "element_attributes.h"
#include "observers.h"
#include "x11_display.h"

namespace axt::lindesk {

namespace {

struct Followed {
  Pid pid = 0;
  platform::Rect frame;
};

struct Structure {
  std::map<::Window, Followed> windows;
  std::set<Pid> reportedByToolkit;
  bool handlerAdded = false;
};

Structure& structure() {
  static Structure s;
  return s;
}

bool isWindowRole(AtspiRole role) {
  return role == ATSPI_ROLE_FRAME || role == ATSPI_ROLE_DIALOG || role == ATSPI_ROLE_WINDOW ||
         role == ATSPI_ROLE_ALERT;
}

// The window object of the application that the X window stands for: the
// active one, else the first.
std::optional<platform::Element> windowElementOf(Pid pid) {
  GRef<AtspiAccessible> app = applicationOf(pid);
  if (!app) return std::nullopt;
  GErrorHolder error;
  const gint count = atspi_accessible_get_child_count(app.get(), error.out());
  std::optional<platform::Element> first;
  for (gint i = 0; i < count; ++i) {
    GErrorHolder childError;
    GRef<AtspiAccessible> child =
        GRef<AtspiAccessible>::adopt(atspi_accessible_get_child_at_index(app.get(), i, childError.out()));
    if (!child) continue;
    GErrorHolder roleError;
    if (!isWindowRole(atspi_accessible_get_role(child.get(), roleError.out()))) continue;
    GRef<AtspiStateSet> states = GRef<AtspiStateSet>::adopt(atspi_accessible_get_state_set(child.get()));
    if (states && atspi_state_set_contains(states.get(), ATSPI_STATE_ACTIVE)) return wrapElement(pid, child.get());
    if (!first) first = wrapElement(pid, child.get());
  }
  return first;
}

void onStructureEvent(const XEvent& event) {
  Structure& s = structure();
  if (event.type == DestroyNotify) {
    s.windows.erase(event.xdestroywindow.window);
    return;
  }
  if (event.type != ConfigureNotify) return;
  auto it = s.windows.find(event.xconfigure.window);
  if (it == s.windows.end()) return;
  std::optional<platform::Rect> now = windowFrame(event.xconfigure.window);
  if (!now) return;
  const platform::Rect before = it->second.frame;
  it->second.frame = *now;
  const Pid pid = it->second.pid;
  if (s.reportedByToolkit.count(pid) > 0) return;
  const bool moved = !(now->origin == before.origin);
  const bool resized = !(now->size == before.size);
  if (!moved && !resized) return;
  if (!anyoneListens(pid, "AXWindowMoved") && !anyoneListens(pid, "AXWindowResized")) return;
  const std::uint64_t heard = numberHeardEvent();
  std::optional<platform::Element> element = windowElementOf(pid);
  if (!element) return;
  if (moved) deliverNotification(pid, *element, "AXWindowMoved", heard);
  if (resized) deliverNotification(pid, *element, "AXWindowResized", heard);
}

}  // namespace

void watchWindowsOf(Pid pid) {
  Display* d = xDisplay();
  if (d == nullptr) return;
  Structure& s = structure();
  if (!s.handlerAdded) {
    s.handlerAdded = true;
    addXEventHandler(onStructureEvent);
  }
  for (::Window w : topLevelWindowsOf(pid)) {
    if (s.windows.count(w) > 0) continue;
    XErrorTrap trap(d);
    // Added to what this connection already hears from the window (it may
    // be a host window whose crossings are tracked).
    XWindowAttributes attributes;
    if (XGetWindowAttributes(d, w, &attributes) == 0 || trap.failed()) continue;
    XSelectInput(d, w, attributes.your_event_mask | StructureNotifyMask);
    if (trap.failed()) continue;
    s.windows.emplace(w, Followed{pid, windowFrame(w).value_or(platform::Rect{})});
  }
  XFlush(d);
}

void toolkitReportsWindowGeometry(Pid pid) { structure().reportedByToolkit.insert(pid); }

}  // namespace axt::lindesk
