// The focus is quiet while the hot key's grab holds the keyboard and a
// moment after: over time, through repeats, and when a release goes missing.
#include "logic/grab_quiet.h"

#include <gtest/gtest.h>

namespace axt::lindesk {
namespace {

TEST(GrabQuiet, NothingIsQuietBeforeAnyPress) {
  GrabQuiet q;
  EXPECT_FALSE(q.quiet(0.0));
  EXPECT_FALSE(q.quiet(100.0));
  EXPECT_EQ(q.endsAt(5.0), std::nullopt);
  // A release without a press (the key went down before we grabbed it).
  q.released(5.0);
  EXPECT_FALSE(q.quiet(5.1));
}

TEST(GrabQuiet, FromThePressUntilAMomentAfterTheRelease) {
  GrabQuiet q;
  q.pressed(10.0);
  EXPECT_TRUE(q.quiet(10.0));
  EXPECT_TRUE(q.quiet(10.1));
  q.released(10.15);
  EXPECT_EQ(q.endsAt(10.2), 10.15 + GrabQuiet::kAfterRelease);
  EXPECT_TRUE(q.quiet(10.15 + GrabQuiet::kAfterRelease - 0.001));
  // The boundary itself is no longer quiet.
  EXPECT_FALSE(q.quiet(10.15 + GrabQuiet::kAfterRelease));
  EXPECT_FALSE(q.quiet(20.0));
  // Times before the press were never quiet.
  EXPECT_FALSE(q.quiet(9.9));
}

TEST(GrabQuiet, AHeldKeyRepeatsAndTheQuietLastsUntilTheLastRelease) {
  GrabQuiet q;
  q.pressed(1.0);
  q.released(1.5);
  q.pressed(1.55);  // auto-repeat: press and release again
  EXPECT_EQ(q.endsAt(1.6), 1.55 + GrabQuiet::kLongestGrab);
  q.released(2.5);
  EXPECT_TRUE(q.quiet(2.8));
  EXPECT_FALSE(q.quiet(2.5 + GrabQuiet::kAfterRelease));
}

TEST(GrabQuiet, AMissedReleaseEndsTheQuietAfterTheLongestGrab) {
  GrabQuiet q;
  q.pressed(3.0);
  EXPECT_TRUE(q.quiet(3.0 + GrabQuiet::kLongestGrab - 0.01));
  EXPECT_FALSE(q.quiet(3.0 + GrabQuiet::kLongestGrab));
}

TEST(GrabQuiet, AReleaseStampedBeforeThePressCountsFromThePress) {
  GrabQuiet q;
  q.pressed(7.0);
  q.released(6.0);
  EXPECT_EQ(q.endsAt(7.0), 7.0 + GrabQuiet::kAfterRelease);
}

}  // namespace
}  // namespace axt::lindesk
