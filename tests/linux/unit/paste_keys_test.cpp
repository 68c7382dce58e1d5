// The paste chord the library posts, in this desktop's keys.
// GoogleTest first: the X headers define None, which it uses as a name.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "logic/paste_keys.h"

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

}  // namespace
}  // namespace axt::lindesk
