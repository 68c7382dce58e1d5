// The hot key in X terms, and the lock-modifier states its grab covers.
// GoogleTest first: the X headers define None, which it uses as a name.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <X11/keysym.h>

#include "logic/lock_combinations.h"
#include "translation/hot_key_mapping.h"

namespace axt::lindesk {
namespace {

TEST(HotKeyMapping, OptionReturnIsAltReturn) {
  const auto c = translateHotKey(36, 0x800);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->keysym, static_cast<KeySym>(XK_Return));
  EXPECT_EQ(c->modifiers, static_cast<unsigned int>(Mod1Mask));
}

TEST(HotKeyMapping, EachModifierHasItsOwnMask) {
  EXPECT_EQ(translateHotKey(36, 0x100)->modifiers, static_cast<unsigned int>(Mod4Mask));
  EXPECT_EQ(translateHotKey(36, 0x200)->modifiers, static_cast<unsigned int>(ShiftMask));
  EXPECT_EQ(translateHotKey(36, 0x1000)->modifiers, static_cast<unsigned int>(ControlMask));
  EXPECT_EQ(translateHotKey(36, 0x800 | 0x200)->modifiers, static_cast<unsigned int>(Mod1Mask | ShiftMask));
  // Bits that name no modifier are ignored; none at all is the bare key.
  EXPECT_EQ(translateHotKey(36, 0x1)->modifiers, 0u);
  EXPECT_EQ(translateHotKey(36, 0)->modifiers, 0u);
}

TEST(HotKeyMapping, UnknownKeysAreRefused) {
  EXPECT_FALSE(translateHotKey(0xFFFF, 0x800));
  EXPECT_FALSE(translateHotKey(1000, 0));
}

TEST(HotKeyMapping, LockCombinationsCoverEverySubsetOnce) {
  const unsigned int locks = LockMask | Mod2Mask | Mod5Mask;
  const std::vector<unsigned int> all = lockCombinations(locks);
  EXPECT_EQ(all.size(), 8u);
  EXPECT_EQ(all.front(), 0u);
  EXPECT_EQ(std::set<unsigned int>(all.begin(), all.end()).size(), 8u);
  for (unsigned int m : all) EXPECT_EQ(m & ~locks, 0u);
  EXPECT_NE(std::find(all.begin(), all.end(), locks), all.end());
}

TEST(HotKeyMapping, NoLocksMeansTheBareCombinationOnly) {
  EXPECT_EQ(lockCombinations(0), std::vector<unsigned int>{0u});
  EXPECT_EQ(lockCombinations(LockMask), (std::vector<unsigned int>{0u, static_cast<unsigned int>(LockMask)}));
}

}  // namespace
}  // namespace axt::lindesk
