// The seam's key events over a session's typing: an event is made only for
// a key the session can type now, and posting it types that key, in the
// direction it was made for.
// GoogleTest first: the X headers define None, which it uses as a name.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <set>
#include <utility>
#include <vector>

#include "translation/core_graphics_keyboard.h"
#include "translation/posted_keys.h"

namespace axt::lindesk {
namespace {

class FakeTyping final : public SessionKeyTyping {
 public:
  bool canType(KeySym keysym) override { return typeable.count(keysym) != 0; }
  void type(KeySym keysym, bool down) override { typed.emplace_back(keysym, down); }
  bool reachesFocusedApplication() override { return reaches; }

  std::set<KeySym> typeable{XK_Control_L, XK_v};
  bool reaches = true;
  std::vector<std::pair<KeySym, bool>> typed;
};

TEST(CoreGraphicsKeyboard, ThePasteChordIsTypedAsPosted) {
  FakeTyping typing;
  CoreGraphicsKeyboard keyboard(typing);
  const std::optional<platform::EventSource> source = keyboard.createEventSource(1);
  ASSERT_TRUE(source);
  std::vector<platform::KeyEvent> chord;
  for (auto [code, down] : {std::pair{55, true}, {9, true}, {9, false}, {55, false}}) {
    std::optional<platform::KeyEvent> e = keyboard.createKeyboardEvent(source, static_cast<std::uint16_t>(code), down);
    ASSERT_TRUE(e) << code;
    keyboard.setFlags(*e, 0x100000);
    chord.push_back(*e);
  }
  EXPECT_TRUE(typing.typed.empty());  // made, not yet posted
  for (const platform::KeyEvent& e : chord) keyboard.post(0, e);
  const std::vector<std::pair<KeySym, bool>> expected{
      {XK_Control_L, true}, {XK_v, true}, {XK_v, false}, {XK_Control_L, false}};
  EXPECT_EQ(typing.typed, expected);
}

TEST(CoreGraphicsKeyboard, NoEventForAKeyTheSessionCantTypeNorAnyTypedForAForeignOne) {
  FakeTyping typing;
  typing.typeable.erase(XK_v);
  CoreGraphicsKeyboard keyboard(typing);
  EXPECT_FALSE(keyboard.createKeyboardEvent(std::nullopt, 9, true));
  // A key code with no counterpart here is refused before the session is asked.
  EXPECT_FALSE(keyboard.createKeyboardEvent(std::nullopt, 36, true));
  keyboard.post(0, platform::KeyEvent(newEventSource().shared()));
  EXPECT_TRUE(typing.typed.empty());
  typing.reaches = false;
  EXPECT_FALSE(keyboard.reachesFocusedApplication());
}

}  // namespace
}  // namespace axt::lindesk
