// The host's handlers for the hot key, kept and offered as Carbon's event
// manager does: newest first, on to the next while one declines, and only
// to handlers for the hot key's event type.
#include "translation/application_event_handlers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace axt::lindesk {
namespace {

using platform::EventHotKeyID;
using platform::EventTypeSpec;
using platform::OSStatus;
using platform::backend::kEventClassKeyboard;
using platform::backend::kEventHotKeyPressed;

constexpr EventTypeSpec kPressed{kEventClassKeyboard, kEventHotKeyPressed};
constexpr EventTypeSpec kOther{kEventClassKeyboard, kEventHotKeyPressed + 1};

// What a test handler does when offered a press, and what it heard.
struct Handler {
  std::string name;
  OSStatus answer = platform::kNoErr;
  std::vector<std::string>* heard = nullptr;
  ApplicationEventHandlers* installOnPress = nullptr;
  Handler* toInstall = nullptr;
};

OSStatus onEvent(platform::EventHandlerCall* /*call*/, platform::EventRecord* event, void* userData) {
  auto* h = static_cast<Handler*>(userData);
  h->heard->push_back(h->name + ":" + std::to_string(event->hotKeyId.id));
  if (h->installOnPress != nullptr) {
    h->installOnPress->install(onEvent, {&kPressed, 1}, h->toInstall);
    h->installOnPress = nullptr;
  }
  return h->answer;
}

TEST(ApplicationEventHandlers, ANullHandlerIsRefusedAndOthersAreKept) {
  ApplicationEventHandlers handlers;
  EXPECT_EQ(handlers.install(nullptr, {&kPressed, 1}, nullptr), platform::backend::kParamErr);
  std::vector<std::string> heard;
  Handler forOthers{"others", platform::kNoErr, &heard};
  // A handler for types nothing sends is kept all the same, and never called.
  EXPECT_EQ(handlers.install(onEvent, {&kOther, 1}, &forOthers), platform::kNoErr);
  handlers.offerHotKeyPress(EventHotKeyID{1, 7});
  EXPECT_TRUE(heard.empty());
}

TEST(ApplicationEventHandlers, NewestFirstOnlyWhileEachDeclines) {
  ApplicationEventHandlers handlers;
  std::vector<std::string> heard;
  Handler oldest{"oldest", platform::kNoErr, &heard};
  Handler middle{"middle", platform::kNoErr, &heard};
  Handler newest{"newest", platform::kEventNotHandledErr, &heard};
  handlers.install(onEvent, {&kPressed, 1}, &oldest);
  handlers.install(onEvent, {&kPressed, 1}, &middle);
  handlers.install(onEvent, {&kPressed, 1}, &newest);
  handlers.offerHotKeyPress(EventHotKeyID{1, 7});
  // The newest declined, the next handled it: the oldest never hears it.
  EXPECT_EQ(heard, (std::vector<std::string>{"newest:7", "middle:7"}));
}

TEST(ApplicationEventHandlers, OneInstalledDuringAPressHearsTheNextPress) {
  ApplicationEventHandlers handlers;
  std::vector<std::string> heard;
  Handler late{"late", platform::kNoErr, &heard};
  Handler first{"first", platform::kEventNotHandledErr, &heard, &handlers, &late};
  handlers.install(onEvent, {&kPressed, 1}, &first);
  handlers.offerHotKeyPress(EventHotKeyID{1, 1});
  EXPECT_EQ(heard, (std::vector<std::string>{"first:1"}));
  heard.clear();
  handlers.offerHotKeyPress(EventHotKeyID{1, 2});
  EXPECT_EQ(heard, (std::vector<std::string>{"late:2"}));
}

}  // namespace
}  // namespace axt::lindesk
