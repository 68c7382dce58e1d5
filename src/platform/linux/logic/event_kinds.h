// What an event of the accessibility bus means to the backend, told from
// its type and first detail alone (no request to the application), and the
// states that decide, once the event is handled, whether it still holds.
//
// Toolkits disagree on how they say a window became active: some send
// "window:activate", GTK 4 only "object:state-changed:active" on the frame,
// most send both. Either is taken as an activation; the two for one
// activation are the same notification and go out once. A window that
// claims to be active but no longer holds the state when the claim is
// handled (Qt announces activations it takes back at once) was never
// activated for the user. The same goes for the focus: only an object that
// holds the focused state has it, whatever it announced. And for the caret:
// the user's caret is in the focused element; a collapsed selection
// reported by another (GTK 4's search entry echoes the text view's every
// change) is nobody's. A selection of text in an element without the focus
// (a paragraph of a web page) stands, as long as the element is on the
// screen: an editor that keeps a hidden twin of its document, which repeats
// the shown one's every change a moment later, would otherwise have the
// twin's selection, with no place on the screen, win over the user's.
#pragma once

#include <atspi/atspi.h>

#include <optional>
#include <string_view>

namespace axt::lindesk {

enum class HeardKind {
  kFocusGained,
  kSelection,
  kWindowActivated,
  kWindowMoved,
  kWindowResized,
  kApplicationAdded,
};

// `fromRegistry`: the event's source is the desktop object (whose children
// are the applications). Absent for events that mean nothing here: losses
// of the focus or of activation, children added to any other object.
std::optional<HeardKind> classifyEvent(std::string_view type, int detail1, bool fromRegistry);

// Top-level windows of an application: the only objects whose activation
// is an application's.
bool isWindowRole(AtspiRole role);

// What an object must hold, when its event is handled, for the event to
// stand: the focused state for a focus gain, the active state (and a
// window's role) for an activation, the focus or selected text on the
// screen for a selection change. Other kinds always stand.
struct HeldStates {
  bool focused = false;
  bool active = false;
  bool selects = false;  // some text is selected in it
  bool showing = false;  // it is on the screen
};
bool eventStands(HeardKind kind, AtspiRole role, const HeldStates& held);

}  // namespace axt::lindesk
