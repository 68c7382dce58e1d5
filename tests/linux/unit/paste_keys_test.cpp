// The paste chord the library posts, in this desktop's keys, and the key
// events it is posted as.
// GoogleTest first: the X headers define None, which it uses as a name.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "translation/paste_keys.h"
#include "translation/posted_keys.h"

namespace axt::lindesk {
namespace {

TEST(PasteKeys, CommandVIsControlV) {
  EXPECT_EQ(keysymForPostedKey(55), std::optional<KeySym>(XK_Control_L));
  EXPECT_EQ(keysymForPostedKey(9), std::optional<KeySym>(XK_v));
}

TEST(PasteKeys, KeysOutsideTheChordHaveNoCounterpart) {
  // Neighbours of the two codes, and the ends of the range: a key posted
  // that isn't in the table must not go out as some other key.
  for (int code : {0, 8, 10, 36, 54, 56, 58, 0xFFFF}) {
    EXPECT_FALSE(keysymForPostedKey(static_cast<std::uint16_t>(code))) << code;
  }
}

TEST(PostedKeys, AnEventIsItsKeyAndDirectionWithItsFlagsKept) {
  const std::optional<platform::KeyEvent> down = newKeyEvent(55, true);
  ASSERT_TRUE(down);
  ASSERT_TRUE(postedKeyOf(*down));
  EXPECT_EQ(postedKeyOf(*down)->keysym, static_cast<KeySym>(XK_Control_L));
  EXPECT_TRUE(postedKeyOf(*down)->down);
  EXPECT_EQ(postedFlagsOf(*down), std::optional<std::uint64_t>(0));
  setPostedFlags(*down, 0x100000);
  EXPECT_EQ(postedFlagsOf(*down), std::optional<std::uint64_t>(0x100000));
  EXPECT_FALSE(postedKeyOf(*newKeyEvent(9, false))->down);
}

TEST(PostedKeys, NoEventForAKeyWithoutACounterpartNorFromAnotherSource) {
  EXPECT_FALSE(newKeyEvent(36, true));
  // An event of another kind (here a source) is no key of ours: nothing
  // is read from it and setting its flags changes nothing.
  const platform::KeyEvent foreign(newEventSource().shared());
  EXPECT_FALSE(postedKeyOf(foreign));
  setPostedFlags(foreign, 1);
  EXPECT_FALSE(postedFlagsOf(foreign));
}

}  // namespace
}  // namespace axt::lindesk
