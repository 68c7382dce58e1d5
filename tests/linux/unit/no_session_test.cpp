// The ways of a session with nothing to reach refuse as the X11 ways do
// without an X server: what the host sees doesn't depend on which of them
// the desktop chose.
// GoogleTest first: the X headers define None, which it uses as a name.
#include <gtest/gtest.h>

#include "session/no_session.h"

#include <set>
#include <string>

#include "platform/backend_handles.h"
#include "translation/carbon_hot_keys.h"
#include "translation/core_graphics_keyboard.h"

namespace axt::lindesk {
namespace {

platform::OSStatus noHandler(platform::EventHandlerCall*, platform::EventRecord*, void*) { return platform::kNoErr; }

// The host meets the session's hot key and typing through the seam's
// shapes, as the desktop hands them out.
TEST(NoSession, TheHotKeyIsRefusedAsInvalidAndHandlersAreTaken) {
  SessionWays ways = noSessionWays();
  CarbonHotKeys hotKeys(*ways.hotKeys);
  std::optional<platform::EventHotKeyRef> ref;
  // Option+Return, a combination any X server would grab.
  EXPECT_EQ(hotKeys.registerHotKey(36, 0x0800, platform::EventHotKeyID{1, 1}, 0, ref),
            platform::backend::kEventHotKeyInvalidErr);
  EXPECT_FALSE(ref.has_value());
  // Asked twice: still invalid, never "exists".
  EXPECT_EQ(hotKeys.registerHotKey(36, 0x0800, platform::EventHotKeyID{1, 1}, 0, ref),
            platform::backend::kEventHotKeyInvalidErr);
  EXPECT_EQ(hotKeys.installApplicationEventHandler(noHandler, {}, nullptr), platform::kNoErr);
  EXPECT_EQ(hotKeys.installApplicationEventHandler(nullptr, {}, nullptr), platform::backend::kParamErr);
}

TEST(NoSession, NoKeyIsTypedButASourceIsMade) {
  SessionWays ways = noSessionWays();
  CoreGraphicsKeyboard keyboard(*ways.keyTyping);
  const std::optional<platform::EventSource> source = keyboard.createEventSource(0);
  ASSERT_TRUE(source.has_value());
  // Command+V, the paste chord.
  EXPECT_FALSE(keyboard.createKeyboardEvent(source, 55, true).has_value());
  EXPECT_FALSE(keyboard.createKeyboardEvent(source, 9, true).has_value());
  EXPECT_FALSE(keyboard.reachesFocusedApplication());
}

TEST(NoSession, TheClipboardReadsNothingTakesNothingAndCountsClears) {
  SessionWays ways = noSessionWays();
  SessionClipboard& clipboard = *ways.clipboard;
  EXPECT_EQ(clipboard.changeCount(), 0);
  EXPECT_TRUE(clipboard.items().empty());
  EXPECT_EQ(clipboard.stringForType(platform::kPasteboardTypeString), std::nullopt);
  // A save, a clear, a write and a restore, as around a paste.
  EXPECT_EQ(clipboard.clearContents(), 1);
  platform::PasteboardItem item;
  item.types.emplace_back(std::string(platform::kPasteboardTypeString), "text");
  EXPECT_FALSE(clipboard.writeItems({item}));
  EXPECT_EQ(clipboard.clearContents(), 2);
  // Even nothing to write is refused: there is no owner to be.
  EXPECT_FALSE(clipboard.writeItems({}));
  EXPECT_EQ(clipboard.changeCount(), 2);
  EXPECT_TRUE(clipboard.items().empty());
}

TEST(NoSession, NoWindowIsFoundActivatedPlacedOrSeenToMove) {
  SessionWays ways = noSessionWays();
  int dummy = 0;
  EXPECT_FALSE(ways.hostWindows->windowFromObject(nullptr).has_value());
  EXPECT_FALSE(ways.hostWindows->windowFromObject(reinterpret_cast<void*>(0x2a00007)).has_value());
  EXPECT_FALSE(ways.hostWindows->windowFromObject(&dummy).has_value());
  // A tracking area is an object of its own, made whatever the session.
  const platform::TrackingArea area = ways.hostWindows->createTrackingArea(platform::Rect{{0, 0}, {10, 10}}, 0x1, {});
  const auto* handle = dynamic_cast<const platform::backend::TrackingAreaHandle*>(area.shared().get());
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(handle->options(), 0x1u);

  bool titlesAsked = false;
  EXPECT_FALSE(ways.activation->activate(4242, [&] {
    titlesAsked = true;
    return std::set<std::string>{};
  }));
  EXPECT_FALSE(titlesAsked);
  EXPECT_EQ(ways.places->applicationIdOf(4242), std::nullopt);
  EXPECT_TRUE(ways.places->shownWindowsOf(4242).empty());
  EXPECT_EQ(ways.places->activeProcess(), std::nullopt);

  bool told = false;
  ways.moves->onChange([&](platform::Pid, bool, bool) { told = true; });
  ways.moves->follow(4242);
  ways.busAddress->watch([&] { told = true; });
  EXPECT_FALSE(told);
}

}  // namespace
}  // namespace axt::lindesk
