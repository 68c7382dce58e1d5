#include "ax/keystrokes.h"

#include <optional>

#include "platform/platform.h"

namespace axt::ax {

namespace {

// An event that can't be created is skipped; the others still go out.
void flagAndPost(platform::Keyboard& keyboard, const std::optional<platform::KeyEvent>& first,
                 const std::optional<platform::KeyEvent>& second) {
  if (first) keyboard.setFlags(*first, kCommandFlag);
  if (second) keyboard.setFlags(*second, kCommandFlag);
  if (first) keyboard.post(kHIDEventTap, *first);
  if (second) keyboard.post(kHIDEventTap, *second);
}

}  // namespace

void pasteCommand() {
  platform::Keyboard& keyboard = platform::current().keyboard();
  std::optional<platform::EventSource> source = keyboard.createEventSource(kHIDSystemState);
  auto commandDown = keyboard.createKeyboardEvent(source, kKeyCommand, true);
  auto vDown = keyboard.createKeyboardEvent(source, kKeyV, true);
  flagAndPost(keyboard, commandDown, vDown);
  auto vUp = keyboard.createKeyboardEvent(source, kKeyV, false);
  auto commandUp = keyboard.createKeyboardEvent(source, kKeyCommand, false);
  flagAndPost(keyboard, vUp, commandUp);
}

bool keysReachFocusedApplication() { return platform::current().keyboard().reachesFocusedApplication(); }

}  // namespace axt::ax
