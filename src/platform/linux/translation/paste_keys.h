// The keys the library posts, in macOS's terms, and the X
// keys that stand for them on this desktop. The library posts the paste
// chord Command+V; the paste chord here is Control+V, so:
//
//   posted key code        X keysym
//   55 (Command)           Control_L
//    9 (V)                 v
//
// The chord goes out in the order the library posts it (Control down, v
// down, v up, Control up); the modifier is a key of its own, so the flag the
// library sets on every event is carried by the key state, not by a flag.
#pragma once

#include <X11/X.h>

#include <cstdint>
#include <optional>

namespace axt::lindesk {

inline constexpr std::uint16_t kPostedCommandKey = 55;
inline constexpr std::uint16_t kPostedVKey = 9;

// The keysym for a posted key code; absent for a key this desktop has no
// counterpart for here (such an event is not created).
std::optional<KeySym> keysymForPostedKey(std::uint16_t keyCode);

}  // namespace axt::lindesk
