// The seam's hot key over a session's grab: what the host registers is
// translated once and grabbed, each of the session's refusals comes back as
// the platform's own error, and a press reaches the host's handlers with
// the id of the registration it belongs to.
// GoogleTest first: the X headers define None, which it uses as a name.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <functional>
#include <vector>

#include "translation/carbon_hot_keys.h"

namespace axt::lindesk {
namespace {

using platform::EventHotKeyID;
using platform::backend::kEventHotKeyExistsErr;
using platform::backend::kEventHotKeyInvalidErr;

constexpr std::uint32_t kReturn = 36;
constexpr std::uint32_t kOption = 0x0800;

class FakeGrabs final : public SessionHotKeys {
 public:
  GrabOutcome grab(const KeyCombination& keys, std::function<void()> pressed) override {
    asked.push_back(keys);
    if (outcome == GrabOutcome::kGrabbed) presses.push_back(std::move(pressed));
    return outcome;
  }

  GrabOutcome outcome = GrabOutcome::kGrabbed;
  std::vector<KeyCombination> asked;
  std::vector<std::function<void()>> presses;  // the session's press of each grab
};

std::vector<std::uint32_t> gHeard;
platform::OSStatus hear(platform::EventHandlerCall*, platform::EventRecord* event, void*) {
  gHeard.push_back(event->hotKeyId.id);
  return platform::kNoErr;
}

TEST(CarbonHotKeys, OptionReturnIsGrabbedAsAltReturnAndItsPressCarriesItsId) {
  FakeGrabs grabs;
  CarbonHotKeys hotKeys(grabs);
  const platform::EventTypeSpec pressed{platform::backend::kEventClassKeyboard,
                                        platform::backend::kEventHotKeyPressed};
  ASSERT_EQ(hotKeys.installApplicationEventHandler(hear, {&pressed, 1}, nullptr), platform::kNoErr);
  std::optional<platform::EventHotKeyRef> first;
  std::optional<platform::EventHotKeyRef> second;
  EXPECT_EQ(hotKeys.registerHotKey(kReturn, kOption, EventHotKeyID{1, 7}, 0, first), platform::kNoErr);
  EXPECT_EQ(hotKeys.registerHotKey(kReturn, 0, EventHotKeyID{1, 8}, 0, second), platform::kNoErr);
  ASSERT_EQ(grabs.asked.size(), 2u);
  EXPECT_EQ(grabs.asked[0], (KeyCombination{XK_Return, Mod1Mask}));
  EXPECT_EQ(grabs.asked[1], (KeyCombination{XK_Return, 0}));
  ASSERT_TRUE(first && second);
  EXPECT_FALSE(*first == *second);
  gHeard.clear();
  grabs.presses[1]();
  grabs.presses[0]();
  EXPECT_EQ(gHeard, (std::vector<std::uint32_t>{8, 7}));
}

TEST(CarbonHotKeys, EachRefusalIsThePlatformsError) {
  FakeGrabs grabs;
  CarbonHotKeys hotKeys(grabs);
  std::optional<platform::EventHotKeyRef> ref;
  // A key this desktop doesn't know never reaches the session.
  EXPECT_EQ(hotKeys.registerHotKey(1000, kOption, EventHotKeyID{1, 1}, 0, ref), kEventHotKeyInvalidErr);
  EXPECT_TRUE(grabs.asked.empty());
  grabs.outcome = GrabOutcome::kTaken;
  EXPECT_EQ(hotKeys.registerHotKey(kReturn, kOption, EventHotKeyID{1, 1}, 0, ref), kEventHotKeyExistsErr);
  grabs.outcome = GrabOutcome::kUnavailable;
  EXPECT_EQ(hotKeys.registerHotKey(kReturn, kOption, EventHotKeyID{1, 1}, 0, ref), kEventHotKeyInvalidErr);
  EXPECT_FALSE(ref.has_value());
}

}  // namespace
}  // namespace axt::lindesk
