// Global hot keys and the application event handlers they reach.
#include "fixture.h"

namespace simdesk_test {
namespace {

constexpr std::uint32_t kReturn = 36;
constexpr std::uint32_t kOption = 0x800;
constexpr ap::EventTypeSpec kPressed{0x6B657962, 5};

struct Calls {
  std::vector<std::string> log;
};

struct HandlerTag {
  std::string name;
  ap::OSStatus answer;
  Calls* calls;
};

ap::OSStatus handler(ap::EventHandlerCall* call, ap::EventRecord* event, void* user) {
  EXPECT_NE(call, nullptr);
  EXPECT_NE(event, nullptr);
  auto* tag = static_cast<HandlerTag*>(user);
  tag->calls->log.push_back(tag->name);
  return tag->answer;
}

class HotKeysTest : public DesktopTest {
 protected:
  ap::HotKeys& keys() { return ap::current().hotKeys(); }
  Calls calls;
};

TEST_F(HotKeysTest, ACombinationCanBeRegisteredOnce) {
  std::optional<ap::EventHotKeyRef> ref;
  EXPECT_EQ(keys().registerHotKey(kReturn, kOption, {0x68, 1}, 0, ref), 0);
  EXPECT_TRUE(ref.has_value());
  std::optional<ap::EventHotKeyRef> again;
  EXPECT_EQ(keys().registerHotKey(kReturn, kOption, {0x68, 2}, 0, again), -9878);
  EXPECT_FALSE(again.has_value());
  EXPECT_EQ(keys().registerHotKey(kReturn, 0, {0x68, 3}, 0, again), 0) << "other modifiers";
}

TEST_F(HotKeysTest, NewestHandlerFirstUntilOneHandlesIt) {
  std::optional<ap::EventHotKeyRef> ref;
  ASSERT_EQ(keys().registerHotKey(kReturn, kOption, {0x68, 1}, 0, ref), 0);
  HandlerTag oldest{"oldest", 0, &calls}, declines{"declines", ap::kEventNotHandledErr, &calls},
      other{"other-type", 0, &calls}, newest{"newest", ap::kEventNotHandledErr, &calls};
  const ap::EventTypeSpec released{0x6B657962, 6};
  keys().installApplicationEventHandler(&handler, std::span(&kPressed, 1), &oldest);
  keys().installApplicationEventHandler(&handler, std::span(&kPressed, 1), &declines);
  keys().installApplicationEventHandler(&handler, std::span(&released, 1), &other);
  keys().installApplicationEventHandler(&handler, std::span(&kPressed, 1), &newest);
  EXPECT_EQ(keys().installApplicationEventHandler(nullptr, std::span(&kPressed, 1), &newest), -50);

  desk().pressHotKey();
  EXPECT_TRUE(calls.log.empty()) << "dispatched from the main loop";
  desk().runInModeUntil("tracking", 0.1);
  EXPECT_EQ(calls.log, (std::vector<std::string>{"newest", "declines", "oldest"}));

  declines.answer = 0;
  calls.log.clear();
  desk().pressHotKey(kReturn, kOption);
  desk().runUntil(0.2);
  EXPECT_EQ(calls.log, (std::vector<std::string>{"newest", "declines"}));
}

TEST_F(HotKeysTest, UnregisteredCombinationsReachNobody) {
  HandlerTag h{"h", 0, &calls};
  keys().installApplicationEventHandler(&handler, std::span(&kPressed, 1), &h);
  desk().pressHotKey();
  desk().pressHotKey(kReturn, 0);
  desk().runUntil(0.1);
  EXPECT_TRUE(calls.log.empty());
  EXPECT_EQ(desk().pendingMainLoopItems(), 0u);
}

}  // namespace
}  // namespace simdesk_test
