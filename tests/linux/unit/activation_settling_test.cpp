// Focus reports that come with an activation belong to it: for a moment,
// in the activated application only, and only for its latest activation.
#include "logic/activation_settling.h"

#include <gtest/gtest.h>

namespace axt::lindesk {
namespace {

constexpr double kEnd = ActivationSettling::kSettleSeconds;

TEST(ActivationSettling, NothingSettlesBeforeAnyActivation) {
  const ActivationSettling s;
  EXPECT_FALSE(s.settling(":1.5", 0.0));
  EXPECT_FALSE(s.settling("", 0.0));
}

TEST(ActivationSettling, TheActivatedApplicationForAMoment) {
  ActivationSettling s;
  s.activated(":1.5", 10.0);
  EXPECT_TRUE(s.settling(":1.5", 10.0));
  EXPECT_TRUE(s.settling(":1.5", 10.0 + kEnd - 0.001));
  EXPECT_FALSE(s.settling(":1.5", 10.0 + kEnd));
  // Reports stamped before the activation were the user's.
  EXPECT_FALSE(s.settling(":1.5", 9.9));
  // Another application's focus moves are its own.
  EXPECT_FALSE(s.settling(":1.9", 10.1));
}

TEST(ActivationSettling, SwitchingOnLeavesTheEarlierApplicationSettled) {
  ActivationSettling s;
  s.activated(":1.5", 1.0);
  s.activated(":1.9", 1.1);
  EXPECT_FALSE(s.settling(":1.5", 1.15));
  EXPECT_TRUE(s.settling(":1.9", 1.15));
  // Back again: a fresh moment.
  s.activated(":1.5", 5.0);
  EXPECT_TRUE(s.settling(":1.5", 5.0 + kEnd / 2));
  EXPECT_FALSE(s.settling(":1.9", 5.0 + kEnd / 2));
}

TEST(ActivationSettling, AnObjectWithoutABusNameNeverSettles) {
  ActivationSettling s;
  s.activated("", 1.0);
  EXPECT_FALSE(s.settling("", 1.0));
}

}  // namespace
}  // namespace axt::lindesk
