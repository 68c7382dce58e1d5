#include "atspi/bus_intake_probe.h"

#include <optional>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "atspi/focus_cache.h"
#include "atspi/object_facts.h"
#include "atspi/text_access.h"
#include "atspi/workspace_events.h"
#include "logic/char_range.h"
#include "logic/compositor_helpers.h"
#include "logic/event_kinds.h"

namespace axt::lindesk {

ObjectKey BusIntakeProbe::identity(const HeardEvent& e) { return keyOf(e.source.get()); }

std::string BusIntakeProbe::busOf(const HeardEvent& e) { return keyOf(e.source.get()).busName; }

bool BusIntakeProbe::stands(const HeardEvent& e) {
  if (e.kind != HeardKind::kFocusGained && e.kind != HeardKind::kWindowActivated &&
      e.kind != HeardKind::kSelection) {
    return true;
  }
  AtspiAccessible* source = e.source.get();
  GRef<AtspiStateSet> states = statesOf(session_, source);
  HeldStates held;
  held.focused = hasState(states.get(), ATSPI_STATE_FOCUSED);
  held.active = hasState(states.get(), ATSPI_STATE_ACTIVE);
  held.showing = hasState(states.get(), ATSPI_STATE_SHOWING);
  if (e.kind == HeardKind::kSelection && !held.focused && held.showing) {
    GRef<AtspiText> text = textOf(source);
    CharRange selected;
    held.selects = text && readSelectedChars(session_, text.get(), selected) == platform::axerr::kSuccess &&
                   selected.start != selected.end;
  }
  AtspiRole role = ATSPI_ROLE_INVALID;
  if (e.kind == HeardKind::kWindowActivated && held.active) {
    // A frame the compositor draws turns active with the window it frames:
    // that window's own activation is the one that counts.
    const std::optional<platform::Pid> pid = applications_.processOf(source);
    if (pid && isCompositorHelperProcess(*pid)) return false;
    const std::optional<AtspiRole> asked = guardedRoleOf(session_, source);
    if (!asked) return false;
    role = *asked;
  }
  return eventStands(e.kind, role, held);
}

std::string BusIntakeProbe::applicationOf(const HeardEvent& e) { return applications_.applicationBusOf(e.source.get()); }

bool BusIntakeProbe::switched(const HeardEvent& e) {
  const std::optional<platform::Pid> pid = applications_.processOf(e.source.get());
  if (!pid) return false;
  return workspace_.applicationActivated(*pid, applications_.applicationOf(*pid).get());
}

bool BusIntakeProbe::focusMoved(const std::string& application, const HeardEvent& e) {
  return focus_.noteFocusGained(application, e.source.get(), e.heardAt);
}

void BusIntakeProbe::claimTakenBack(const std::string& application, const HeardEvent& e) {
  focus_.noteClaimTakenBack(application, e.source.get(), e.heardAt);
}

}  // namespace axt::lindesk
