// Which bus events the backend acts on, and which of them still stand when
// they are handled: activation however the toolkit says it, focus only
// where the focused state is held.
#include "logic/event_kinds.h"

#include <gtest/gtest.h>

namespace axt::lindesk {
namespace {

TEST(EventKinds, ActivationEitherWayTheToolkitSaysIt) {
  EXPECT_EQ(classifyEvent("window:activate", 0, false), HeardKind::kWindowActivated);
  // GTK 4 sends only the state change, on the frame.
  EXPECT_EQ(classifyEvent("object:state-changed:active", 1, false), HeardKind::kWindowActivated);
  // Losing the state is no activation of anything.
  EXPECT_EQ(classifyEvent("object:state-changed:active", 0, false), std::nullopt);
  EXPECT_EQ(classifyEvent("window:deactivate", 0, false), std::nullopt);
}

TEST(EventKinds, FocusGainsOnlyAndOtherStatesAreNotMistakenForThem) {
  EXPECT_EQ(classifyEvent("object:state-changed:focused", 1, false), HeardKind::kFocusGained);
  EXPECT_EQ(classifyEvent("object:state-changed:focused", 0, false), std::nullopt);
  // States whose names begin like the ones listened for are others.
  EXPECT_EQ(classifyEvent("object:state-changed:focusable", 1, false), std::nullopt);
  EXPECT_EQ(classifyEvent("object:state-changed:activex", 1, false), std::nullopt);
  EXPECT_EQ(classifyEvent("object:state-changed:focused:extra", 1, false), HeardKind::kFocusGained);
  EXPECT_EQ(classifyEvent("", 1, false), std::nullopt);
  EXPECT_EQ(classifyEvent("object:state-changed", 1, false), std::nullopt);
}

TEST(EventKinds, SelectionsWindowsAndApplications) {
  EXPECT_EQ(classifyEvent("object:text-caret-moved", 4, false), HeardKind::kSelection);
  EXPECT_EQ(classifyEvent("object:text-selection-changed", 0, false), HeardKind::kSelection);
  EXPECT_EQ(classifyEvent("window:move", 0, false), HeardKind::kWindowMoved);
  EXPECT_EQ(classifyEvent("window:resize", 0, false), HeardKind::kWindowResized);
  // Only the desktop's new children are applications.
  EXPECT_EQ(classifyEvent("object:children-changed:add", 0, true), HeardKind::kApplicationAdded);
  EXPECT_EQ(classifyEvent("object:children-changed:add", 0, false), std::nullopt);
  EXPECT_EQ(classifyEvent("object:children-changed:remove", 0, true), std::nullopt);
}

TEST(EventKinds, AnActivationStandsForAWindowThatIsStillActive) {
  const HeldStates active{false, true};
  const HeldStates gone{false, false};
  EXPECT_TRUE(eventStands(HeardKind::kWindowActivated, ATSPI_ROLE_FRAME, active));
  EXPECT_TRUE(eventStands(HeardKind::kWindowActivated, ATSPI_ROLE_DIALOG, active));
  EXPECT_TRUE(eventStands(HeardKind::kWindowActivated, ATSPI_ROLE_WINDOW, active));
  // Taken back before it was handled (Qt does this for a window it
  // activates and deactivates in one go).
  EXPECT_FALSE(eventStands(HeardKind::kWindowActivated, ATSPI_ROLE_FRAME, gone));
  // Other objects hold "active" too (menu items, tabs): no application
  // came to the front through them.
  EXPECT_FALSE(eventStands(HeardKind::kWindowActivated, ATSPI_ROLE_MENU_ITEM, active));
  EXPECT_FALSE(eventStands(HeardKind::kWindowActivated, ATSPI_ROLE_PAGE_TAB, active));
}

TEST(EventKinds, AFocusClaimStandsOnlyWhereTheFocusedStateIsHeld) {
  // A root pane that announces the focus without holding it.
  EXPECT_FALSE(eventStands(HeardKind::kFocusGained, ATSPI_ROLE_ROOT_PANE, HeldStates{false, true}));
  EXPECT_TRUE(eventStands(HeardKind::kFocusGained, ATSPI_ROLE_TEXT, HeldStates{true, false}));
  // The role doesn't matter for a focus.
  EXPECT_TRUE(eventStands(HeardKind::kFocusGained, ATSPI_ROLE_INVALID, HeldStates{true, false}));
  // Moves and resizes don't depend on states.
  EXPECT_TRUE(eventStands(HeardKind::kWindowMoved, ATSPI_ROLE_FRAME, HeldStates{}));
}

TEST(EventKinds, TheCaretIsTheFocusedElementsSelectedTextIsAnyones) {
  // The user's caret in the focused text.
  EXPECT_TRUE(eventStands(HeardKind::kSelection, ATSPI_ROLE_TEXT, HeldStates{true, false, false}));
  // A field without the focus echoing a collapsed selection: nobody's caret.
  EXPECT_FALSE(eventStands(HeardKind::kSelection, ATSPI_ROLE_TEXT, HeldStates{false, false, false}));
  // Text selected in a paragraph of a page, which never holds the focus.
  EXPECT_TRUE(eventStands(HeardKind::kSelection, ATSPI_ROLE_PARAGRAPH, HeldStates{false, false, true, true}));
  // A hidden twin of the document repeating the shown one's selection: not
  // the user's, whatever it selects.
  EXPECT_FALSE(eventStands(HeardKind::kSelection, ATSPI_ROLE_TEXT, HeldStates{false, false, true, false}));
  // The focused text stands even when its toolkit doesn't say it shows.
  EXPECT_TRUE(eventStands(HeardKind::kSelection, ATSPI_ROLE_TEXT, HeldStates{true, false, false, false}));
}

}  // namespace
}  // namespace axt::lindesk
