// A move of the focus told from its return, as claims are handled in
// order: a return to the element that kept the focus is none; a return
// soon after a detour is one, also when every claim of the detour was
// taken back before it was handled (the host busy while a menu opened and
// closed).
#include "logic/focus_moves.h"

#include <gtest/gtest.h>

namespace axt::lindesk {
namespace {

const std::string kEditor = ":1.7";
const std::string kOther = ":1.9";
const ObjectKey kText{kEditor, "/org/a11y/atspi/accessible/12"};
const ObjectKey kMenuItem{kEditor, "/org/a11y/atspi/accessible/40"};
const ObjectKey kButton{kEditor, "/org/a11y/atspi/accessible/41"};

constexpr double kWithin = FocusMoves::kReturnWithin;

TEST(FocusMoves, TheFirstClaimAndAnotherElementAreMovesARepeatIsNot) {
  FocusMoves moves;
  EXPECT_TRUE(moves.gained(kEditor, kText, 1.0));
  // The toolkit giving the focus back (its window active again).
  EXPECT_FALSE(moves.gained(kEditor, kText, 2.0));
  EXPECT_TRUE(moves.gained(kEditor, kButton, 3.0));
  EXPECT_TRUE(moves.gained(kEditor, kText, 4.0));
}

TEST(FocusMoves, AReturnSoonAfterADetourTakenBackIsAMove) {
  FocusMoves moves;
  moves.gained(kEditor, kText, 1.0);
  // Menu item, then its button, both no longer focused when handled; all
  // heard at once, after the host's thread was busy.
  moves.claimTakenBack(kEditor, kMenuItem, 10.0);
  moves.claimTakenBack(kEditor, kButton, 10.0);
  EXPECT_TRUE(moves.gained(kEditor, kText, 10.0));
  // Once: the return is told, a repeat after it is not.
  EXPECT_FALSE(moves.gained(kEditor, kText, 10.1));
  // Up to the bound itself, counted from the last claim taken back.
  moves.claimTakenBack(kEditor, kMenuItem, 20.0);
  moves.claimTakenBack(kEditor, kButton, 21.0);
  EXPECT_TRUE(moves.gained(kEditor, kText, 21.0 + kWithin));
}

TEST(FocusMoves, AClaimMuchLaterIsTheToolkitsReturn) {
  FocusMoves moves;
  moves.gained(kEditor, kText, 1.0);
  // A closing bar's late claim, the focus staying on the text; the text's
  // next claim is its window's or a grab's return, seconds on.
  moves.claimTakenBack(kEditor, kButton, 2.0);
  EXPECT_FALSE(moves.gained(kEditor, kText, 2.0 + kWithin + 0.001));
  // A claim heard before the one taken back isn't its return either.
  moves.claimTakenBack(kEditor, kButton, 30.0);
  EXPECT_FALSE(moves.gained(kEditor, kText, 29.9));
}

TEST(FocusMoves, WhatIsTakenBackLeavesTheRecordAloneOrForOthers) {
  FocusMoves moves;
  // Nothing recorded: a claim taken back makes nothing a move that wasn't.
  moves.claimTakenBack(kEditor, kButton, 1.0);
  EXPECT_TRUE(moves.gained(kEditor, kText, 1.0));
  // The recorded element's own claim, taken back, says nothing of where
  // the focus went.
  moves.claimTakenBack(kEditor, kText, 2.0);
  EXPECT_FALSE(moves.gained(kEditor, kText, 2.0));
  // Another application's detour is its own.
  moves.gained(kOther, ObjectKey{kOther, "/1"}, 3.0);
  moves.claimTakenBack(kOther, ObjectKey{kOther, "/2"}, 3.0);
  EXPECT_FALSE(moves.gained(kEditor, kText, 3.0));
  EXPECT_TRUE(moves.gained(kOther, ObjectKey{kOther, "/1"}, 3.0));
}

TEST(FocusMoves, ForgettingStartsAnew) {
  FocusMoves moves;
  moves.gained(kEditor, kText, 1.0);
  moves.claimTakenBack(kEditor, kButton, 1.0);
  moves.forgetAll();
  EXPECT_TRUE(moves.gained(kEditor, kText, 1.0));
  EXPECT_FALSE(moves.gained(kEditor, kText, 1.0));
}

}  // namespace
}  // namespace axt::lindesk
