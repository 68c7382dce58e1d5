// Which X key and modifiers stand for a hot key given in the terms of the
// macOS, and the lock-modifier states a grab must cover.
#pragma once

#include <X11/X.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace axt::lindesk {

// The X key and modifiers for a virtual key code and modifier mask of the
// macOS: Return is Return, Option is Alt (Mod1),
// Command is Super (Mod4). Absent for a key this backend doesn't know.
struct XKeyCombination {
  KeySym keysym = 0;
  unsigned int modifiers = 0;
};
std::optional<XKeyCombination> translateHotKey(std::uint32_t keyCode, std::uint32_t modifiers);

// Every combination of the lock modifiers in `lockMasks`, the empty one first.
std::vector<unsigned int> lockCombinations(unsigned int lockMasks);

}  // namespace axt::lindesk
