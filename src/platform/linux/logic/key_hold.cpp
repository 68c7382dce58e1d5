#include "logic/key_hold.h"

namespace axt::lindesk {

namespace {

// Server times are 32-bit milliseconds; the difference is taken modulo 2^32
// so that the wrap-around doesn't look like a jump back.
std::uint32_t since(std::uint32_t earlier, Time now) { return static_cast<std::uint32_t>(now) - earlier; }

}  // namespace

bool KeyHold::pressed(KeyCode key, Time time) {
  State& state = keys_[key];
  const std::uint32_t gap = since(state.lastSeen, time);
  // Held: a repeat, unless nothing was heard of the key for so long that
  // its release must have been missed. Released at this very time: the
  // release half of a repeat without detectable autorepeat.
  const bool repeat = state.heard && (state.down ? gap <= kLongestSilentHoldMs : gap == 0);
  state.heard = true;
  state.down = true;
  state.lastSeen = static_cast<std::uint32_t>(time);
  return !repeat;
}

void KeyHold::released(KeyCode key, Time time) {
  State& state = keys_[key];
  state.heard = true;
  state.down = false;
  state.lastSeen = static_cast<std::uint32_t>(time);
}

}  // namespace axt::lindesk
