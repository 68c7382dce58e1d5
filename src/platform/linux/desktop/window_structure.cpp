#include "desktop/window_structure.h"

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "atspi/element_attributes.h"
#include "atspi/object_facts.h"
#include "logic/event_kinds.h"
#include "logic/handles.h"
#include "logic/observers.h"
#include "translation/notifications.h"
#include "x11/x11_display.h"

namespace axt::lindesk {

namespace {

// Whether the application's child is one of its windows. Its role is kept
// on the object, so a window is asked it once in its life, not on every
// move; asked as every request is (AppRequest), so that an application that
// stopped answering holds the host once, not once per move.
bool isFrame(AtspiSession& session, AtspiAccessible* child) {
  const std::optional<AtspiRole> role = guardedRoleOf(session, child);
  return role && isWindowRole(*role);
}

}  // namespace

// The window object of the application that the X window stands for: the
// active one, else the first.
std::optional<platform::Element> WindowStructure::windowElementOf(Pid pid) {
  GRef<AtspiAccessible> app = applications_.applicationOf(pid);
  GRef<AtspiAccessible> first;
  GRef<AtspiAccessible> active = findChild(session_, app.get(), [&](AtspiAccessible* child) {
    if (!isFrame(session_, child)) return false;
    // Asked once per handling (object_facts.h), through the guard.
    GRef<AtspiStateSet> states = statesOf(session_, child);
    if (hasState(states.get(), ATSPI_STATE_ACTIVE)) return true;
    if (!first) first = GRef<AtspiAccessible>::retain(child);
    return false;
  });
  if (active) return wrapElement(pid, active.get(), session_.connectionNumber());
  if (first) return wrapElement(pid, first.get(), session_.connectionNumber());
  return std::nullopt;
}

void WindowStructure::onEvent(const XEvent& event) {
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
  const Pid pid = it->second.pid;
  if (reportedByToolkit_.count(pid) > 0) return;
  const bool moved = !(now->origin == before.origin);
  const bool resized = !(now->size == before.size);
  if (!moved && !resized) return;
  const std::string movedName(kWindowMoved);
  const std::string resizedName(kWindowResized);
  if (!observers_.anyoneListens(pid, movedName) && !observers_.anyoneListens(pid, resizedName)) return;
  const std::uint64_t heard = observers_.countHeardEvent();
  std::optional<platform::Element> element = windowElementOf(pid);
  if (!element) return;
  if (moved) observers_.deliver(pid, *element, movedName, heard);
  if (resized) observers_.deliver(pid, *element, resizedName, heard);
}

void WindowStructure::watchWindowsOf(Pid pid) {
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
