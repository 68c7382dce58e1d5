#include "translation/core_graphics_keyboard.h"

#include "translation/posted_keys.h"

namespace axt::lindesk {

std::optional<platform::EventSource> CoreGraphicsKeyboard::createEventSource(std::int32_t /*stateId*/) {
  return newEventSource();
}

std::optional<platform::KeyEvent> CoreGraphicsKeyboard::createKeyboardEvent(
    const std::optional<platform::EventSource>& /*source*/, std::uint16_t keyCode, bool keyDown) {
  std::optional<platform::KeyEvent> event = newKeyEvent(keyCode, keyDown);
  if (!event || !typing_.canType(postedKeyOf(*event)->keysym)) return std::nullopt;
  return event;
}

void CoreGraphicsKeyboard::setFlags(const platform::KeyEvent& event, std::uint64_t flags) {
  setPostedFlags(event, flags);
}

void CoreGraphicsKeyboard::post(std::uint32_t /*tap*/, const platform::KeyEvent& event) {
  if (const std::optional<PostedKey> key = postedKeyOf(event)) typing_.type(key->keysym, key->down);
}

bool CoreGraphicsKeyboard::reachesFocusedApplication() { return typing_.reachesFocusedApplication(); }

}  // namespace axt::lindesk
