// Focus claims are held back while the hot key's grab holds the keyboard and a
// moment after: over time, through repeats, and when a release goes missing.
#include "logic/grab_hold_back.h"

#include <gtest/gtest.h>

namespace axt::lindesk {
namespace {

TEST(GrabHoldBack, NothingIsQuietBeforeAnyPress) {
  GrabHoldBack q;
  EXPECT_FALSE(q.holds(0.0));
  EXPECT_FALSE(q.holds(100.0));
  EXPECT_EQ(q.endsAt(5.0), std::nullopt);
  // A release without a press (the key went down before we grabbed it).
  q.released(5.0);
  EXPECT_FALSE(q.holds(5.1));
}

TEST(GrabHoldBack, FromThePressUntilAMomentAfterTheRelease) {
  GrabHoldBack q;
  q.pressed(10.0);
  EXPECT_TRUE(q.holds(10.0));
  EXPECT_TRUE(q.holds(10.1));
  q.released(10.15);
  EXPECT_EQ(q.endsAt(10.2), 10.15 + GrabHoldBack::kAfterRelease);
  EXPECT_TRUE(q.holds(10.15 + GrabHoldBack::kAfterRelease - 0.001));
  // The boundary itself is no longer held back.
  EXPECT_FALSE(q.holds(10.15 + GrabHoldBack::kAfterRelease));
  EXPECT_FALSE(q.holds(20.0));
  // Times before the press were never held back.
  EXPECT_FALSE(q.holds(9.9));
}

TEST(GrabHoldBack, AHeldKeyRepeatsAndTheQuietLastsUntilTheLastRelease) {
  GrabHoldBack q;
  q.pressed(1.0);
  q.released(1.5);
  q.pressed(1.55);  // auto-repeat: press and release again
  EXPECT_EQ(q.endsAt(1.6), 1.55 + GrabHoldBack::kLongestGrab);
  q.released(2.5);
  EXPECT_TRUE(q.holds(2.8));
  EXPECT_FALSE(q.holds(2.5 + GrabHoldBack::kAfterRelease));
}

TEST(GrabHoldBack, AMissedReleaseEndsTheQuietAfterTheLongestGrab) {
  GrabHoldBack q;
  q.pressed(3.0);
  EXPECT_TRUE(q.holds(3.0 + GrabHoldBack::kLongestGrab - 0.01));
  EXPECT_FALSE(q.holds(3.0 + GrabHoldBack::kLongestGrab));
}

TEST(GrabHoldBack, AReleaseStampedBeforeThePressCountsFromThePress) {
  GrabHoldBack q;
  q.pressed(7.0);
  q.released(6.0);
  EXPECT_EQ(q.endsAt(7.0), 7.0 + GrabHoldBack::kAfterRelease);
}

}  // namespace
}  // namespace axt::lindesk
