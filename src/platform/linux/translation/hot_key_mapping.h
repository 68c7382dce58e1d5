// Which key and modifiers stand for a hot key given in macOS's terms: a
// virtual key code and a Carbon modifier mask.
#pragma once

#include <cstdint>
#include <optional>

#include "session/hot_keys.h"

namespace axt::lindesk {

// The combination in the session's terms: Return is Return, Option is Alt
// (Mod1), Command is Super (Mod4). Absent for a key this backend doesn't
// know.
std::optional<KeyCombination> translateHotKey(std::uint32_t keyCode, std::uint32_t modifiers);

}  // namespace axt::lindesk
