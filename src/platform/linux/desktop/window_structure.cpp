#include "desktop/window_structure.h"

#include <string>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "atspi/element_attributes.h"
#include "atspi/object_facts.h"
#include "logic/handles.h"
#include "logic/observers.h"
#include "translation/notifications.h"

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

WindowStructure::WindowStructure(WindowMoves& moves, AtspiSession& session, Applications& applications,
                                 Observers& observers)
    : moves_(moves), session_(session), applications_(applications), observers_(observers) {
  moves_.onChange([this](Pid pid, bool moved, bool resized) { changed(pid, moved, resized); });
}

void WindowStructure::changed(Pid pid, bool moved, bool resized) {
  if (reportedByToolkit_.count(pid) > 0) return;
  const std::string movedName(kWindowMoved);
  const std::string resizedName(kWindowResized);
  if (!observers_.anyoneListens(pid, movedName) && !observers_.anyoneListens(pid, resizedName)) return;
  const std::uint64_t heard = observers_.countHeardEvent();
  std::optional<platform::Element> element = windowElementOf(pid);
  if (!element) return;
  if (moved) observers_.deliver(pid, *element, movedName, heard);
  if (resized) observers_.deliver(pid, *element, resizedName, heard);
}

}  // namespace axt::lindesk
