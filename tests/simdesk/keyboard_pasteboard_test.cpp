// Posted keystrokes, the paste they cause in the frontmost application, and
// the pasteboard's contents and change count.
#include "fixture.h"

namespace simdesk_test {
namespace {

constexpr std::uint64_t kCommand = 0x100000;

ap::PasteboardItem textItem(std::string text) {
  return ap::PasteboardItem{{{std::string(ap::kPasteboardTypeString), std::move(text)}}};
}

class KeyboardTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    AppSpec a = app(kApp, {textElement("field", "AXTextField", "say hello", {4, 5}),
                           textElement("label", "AXStaticText", "fixed")});
    a.focused = "field";
    addApp(a);
    desk().activate(kApp);
    desk().runUntil(0);
  }

  static void postKey(std::uint16_t code, bool down, std::uint64_t flags) {
    ap::Keyboard& kb = ap::current().keyboard();
    const auto source = kb.createEventSource(1);
    const auto ev = kb.createKeyboardEvent(source, code, down);
    ASSERT_TRUE(ev);
    kb.setFlags(*ev, flags);
    kb.post(0, *ev);
  }

  static void pasteKeys() {
    postKey(55, true, kCommand);
    postKey(9, true, kCommand);
    postKey(9, false, kCommand);
    postKey(55, false, kCommand);
  }
};

TEST_F(KeyboardTest, CommandVPastesIntoTheFocusedFieldFiftyMillisecondsLater) {
  desk().copy({textItem("w\xC3\xB6rld")});
  pasteKeys();
  desk().runUntil(0.049);
  EXPECT_EQ(desk().text("field"), "say hello");
  desk().runUntil(0.05);
  EXPECT_EQ(desk().text("field"), "say w\xC3\xB6rld");
  std::optional<ap::Value> v;
  ASSERT_EQ(read(element(kApp, "field"), "AXSelectedTextRange", v), 0);
  EXPECT_EQ(rangeOf(*v), (ap::Range{9, 0})) << "caret after the paste, in UTF-16 units";
}

TEST_F(KeyboardTest, ThePasteGoesToWhicheverApplicationIsFrontmostWhenHandled) {
  AppSpec other = app(200, {textElement("other", "AXTextArea", "")});
  other.focused = "other";
  addApp(other);
  desk().copy({textItem("x")});
  pasteKeys();
  desk().activate(200);  // before the keys are handled
  desk().runUntil(1);
  EXPECT_EQ(desk().text("other"), "x");
  EXPECT_EQ(desk().text("field"), "say hello");

  pasteKeys();
  desk().activate(1);  // the host has no elements: nothing happens there
  desk().runUntil(2);
  EXPECT_EQ(desk().text("other"), "x");
}

TEST_F(KeyboardTest, NothingIsPastedWithoutTextOrIntoAReadOnlyElement) {
  desk().copy({ap::PasteboardItem{{{"public.png", "...."}}}});
  pasteKeys();
  desk().runUntil(1);
  EXPECT_EQ(desk().text("field"), "say hello");

  desk().copy({textItem("x")});
  desk().focus("label");
  pasteKeys();
  desk().runUntil(2);
  EXPECT_EQ(desk().text("label"), "fixed");

  desk().focus("field");
  postKey(9, true, 0);  // plain V: no paste here
  desk().runUntil(3);
  EXPECT_EQ(desk().text("field"), "say hello");
}

// The library tells its own pasteboard writes from other applications'
// copies by the change count.
TEST(PasteboardTest, ChangeCountFollowsClearsNotWrites) {
  Desktop& desk = Desktop::get();
  desk.reset();
  ap::Pasteboard& pb = ap::current().pasteboard();
  desk.setPasteboard({textItem("abc")});
  EXPECT_EQ(pb.changeCount(), 0);
  EXPECT_EQ(pb.clearContents(), 1);
  EXPECT_TRUE(pb.writeItems({textItem("xyz")}));
  EXPECT_TRUE(pb.writeItems({textItem("more")}));
  EXPECT_EQ(pb.changeCount(), 1);
  EXPECT_EQ(pb.items().size(), 2u);
  desk.copy({textItem("theirs")});
  EXPECT_EQ(pb.changeCount(), 2);
  EXPECT_EQ(desk.pasteboard(), (std::vector<ap::PasteboardItem>{textItem("theirs")}));
}

}  // namespace
}  // namespace simdesk_test
