// Which key and modifiers stand for a hot key given in macOS's terms: a
// virtual key code and a Carbon modifier mask.
#pragma once

#include <X11/X.h>

#include <cstdint>
#include <optional>

namespace axt::lindesk {

// The key and modifiers as X names them (keysyms, which Wayland's keymaps
// share, and the core modifier masks): Return is Return, Option is Alt
// (Mod1), Command is Super (Mod4). Absent for a key this backend doesn't
// know.
struct XKeyCombination {
  KeySym keysym = 0;
  unsigned int modifiers = 0;
};
std::optional<XKeyCombination> translateHotKey(std::uint32_t keyCode, std::uint32_t modifiers);

}  // namespace axt::lindesk
