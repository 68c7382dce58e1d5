#include "logic/event_kinds.h"

namespace axt::lindesk {

namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// "object:state-changed:focused" names one state; a longer name is another
// state that begins alike (there is none today, but the bus may add one).
bool isExactly(std::string_view type, std::string_view name) {
  if (!startsWith(type, name)) return false;
  return type.size() == name.size() || type[name.size()] == ':';
}

}  // namespace

std::optional<HeardKind> classifyEvent(std::string_view type, int detail1, bool fromRegistry) {
  if (isExactly(type, "object:state-changed:focused")) {
    // The element losing the focus keeps its place as the application's
    // last focus: when the focus comes back to it, nothing has moved.
    if (detail1 == 0) return std::nullopt;
    return HeardKind::kFocusGained;
  }
  if (isExactly(type, "object:state-changed:active")) {
    if (detail1 == 0) return std::nullopt;
    return HeardKind::kWindowActivated;
  }
  if (isExactly(type, "object:text-caret-moved") || isExactly(type, "object:text-selection-changed")) {
    return HeardKind::kSelection;
  }
  if (isExactly(type, "window:activate")) return HeardKind::kWindowActivated;
  if (isExactly(type, "window:move")) return HeardKind::kWindowMoved;
  if (isExactly(type, "window:resize")) return HeardKind::kWindowResized;
  // Children of the desktop are applications; other objects' children
  // don't matter here.
  if (isExactly(type, "object:children-changed:add") && fromRegistry) return HeardKind::kApplicationAdded;
  return std::nullopt;
}

bool isWindowRole(AtspiRole role) {
  return role == ATSPI_ROLE_FRAME || role == ATSPI_ROLE_DIALOG || role == ATSPI_ROLE_WINDOW ||
         role == ATSPI_ROLE_ALERT || role == ATSPI_ROLE_FILE_CHOOSER;
}

bool eventStands(HeardKind kind, AtspiRole role, const HeldStates& held) {
  switch (kind) {
    case HeardKind::kFocusGained:
      return held.focused;
    case HeardKind::kWindowActivated:
      return held.active && isWindowRole(role);
    case HeardKind::kSelection:
      return held.focused || (held.selects && held.showing);
    default:
      return true;
  }
}

}  // namespace axt::lindesk
