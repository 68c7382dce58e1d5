// A held hot key is one press: the server's repeats, in either form, are
// not; a press after a release is.
#include <gtest/gtest.h>

#include "logic/key_hold.h"

namespace axt::lindesk {
namespace {

constexpr KeyCode kReturn = 36;
constexpr KeyCode kTab = 23;

TEST(KeyHold, DetectableRepeatsOfAHeldKeyAreOnePress) {
  KeyHold hold;
  EXPECT_TRUE(hold.pressed(kReturn, 1000));
  // The server's delay, then its rate: presses without releases.
  for (Time t = 1660; t < 3000; t += 40) EXPECT_FALSE(hold.pressed(kReturn, t)) << t;
  hold.released(kReturn, 3010);
  EXPECT_TRUE(hold.pressed(kReturn, 3200));
}

TEST(KeyHold, PairedRepeatsShareTheirTime) {
  // Without detectable autorepeat each repeat is a release and a press at
  // the same server time; a real release and press are apart.
  KeyHold hold;
  EXPECT_TRUE(hold.pressed(kReturn, 500));
  hold.released(kReturn, 1160);
  EXPECT_FALSE(hold.pressed(kReturn, 1160));
  hold.released(kReturn, 1200);
  EXPECT_FALSE(hold.pressed(kReturn, 1200));
  hold.released(kReturn, 1215);
  EXPECT_TRUE(hold.pressed(kReturn, 1216));
}

TEST(KeyHold, QuickTapsEachCount) {
  KeyHold hold;
  for (Time t = 100; t < 1000; t += 100) {
    EXPECT_TRUE(hold.pressed(kReturn, t)) << t;
    hold.released(kReturn, t + 30);
  }
}

TEST(KeyHold, KeysAreHeldApart) {
  KeyHold hold;
  EXPECT_TRUE(hold.pressed(kReturn, 100));
  EXPECT_TRUE(hold.pressed(kTab, 110));
  EXPECT_FALSE(hold.pressed(kReturn, 150));
  hold.released(kTab, 160);
  EXPECT_FALSE(hold.pressed(kReturn, 190));
  EXPECT_TRUE(hold.pressed(kTab, 200));
}

TEST(KeyHold, AMissedReleaseSilencesTheKeyOnlyForAWhile) {
  KeyHold hold;
  EXPECT_TRUE(hold.pressed(kReturn, 1000));
  EXPECT_FALSE(hold.pressed(kReturn, 1000 + KeyHold::kLongestSilentHoldMs));
  // Nothing heard of it for longer than any repeat takes: a new press.
  EXPECT_TRUE(hold.pressed(kReturn, 1001 + 2 * KeyHold::kLongestSilentHoldMs));
}

TEST(KeyHold, TheFirstPressCountsWhateverItsTime) {
  // Time 0 (a server just started) is no repeat of a release never seen.
  KeyHold hold;
  EXPECT_TRUE(hold.pressed(kReturn, 0));
}

TEST(KeyHold, ServerTimeWrapsAround) {
  KeyHold hold;
  EXPECT_TRUE(hold.pressed(kReturn, 0xFFFFFFF0u));
  // 32 ms later, past the wrap: still the same hold.
  EXPECT_FALSE(hold.pressed(kReturn, 0x10u));
  hold.released(kReturn, 0x20u);
  EXPECT_TRUE(hold.pressed(kReturn, 0x80u));
}

}  // namespace
}  // namespace axt::lindesk
