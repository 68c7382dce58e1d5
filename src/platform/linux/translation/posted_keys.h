// The key events the library makes to paste, as values: a key (the keysym
// paste_keys.h gives for the posted key code) and whether it goes down. The
// flags the library sets are kept for what they say, but the modifier state
// that goes out is the one of the keys held down, as the chord's own events
// make it.
#pragma once

#include <X11/X.h>

#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace axt::lindesk {

struct PostedKey {
  KeySym keysym = 0;
  bool down = false;
};

platform::EventSource newEventSource();
// Absent for a key code this desktop has no counterpart for.
std::optional<platform::KeyEvent> newKeyEvent(std::uint16_t keyCode, bool keyDown);
// Absent for an event that isn't one of ours.
std::optional<PostedKey> postedKeyOf(const platform::KeyEvent& event);
void setPostedFlags(const platform::KeyEvent& event, std::uint64_t flags);
std::optional<std::uint64_t> postedFlagsOf(const platform::KeyEvent& event);

}  // namespace axt::lindesk
