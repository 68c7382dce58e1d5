#include "translation/hot_key_mapping.h"

#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <utility>

namespace axt::lindesk {

namespace {

// Modifier bits of macOS's hot-key masks.
constexpr std::uint32_t kCmdKey = 0x100;
constexpr std::uint32_t kShiftKey = 0x200;
constexpr std::uint32_t kOptionKey = 0x800;
constexpr std::uint32_t kControlKey = 0x1000;

// Virtual key codes with a fixed meaning on every keyboard layout.
constexpr std::array<std::pair<std::uint32_t, KeySym>, 8> kKeys = {{
    {36, XK_Return},
    {48, XK_Tab},
    {49, XK_space},
    {51, XK_BackSpace},
    {53, XK_Escape},
    {76, XK_KP_Enter},
    {117, XK_Delete},
    {9, XK_v},
}};

}  // namespace

std::optional<KeyCombination> translateHotKey(std::uint32_t keyCode, std::uint32_t modifiers) {
  const auto key = std::find_if(kKeys.begin(), kKeys.end(), [&](const auto& k) { return k.first == keyCode; });
  if (key == kKeys.end()) return std::nullopt;
  KeyCombination out{key->second, 0};
  if ((modifiers & kCmdKey) != 0) out.modifiers |= Mod4Mask;
  if ((modifiers & kShiftKey) != 0) out.modifiers |= ShiftMask;
  if ((modifiers & kOptionKey) != 0) out.modifiers |= Mod1Mask;
  if ((modifiers & kControlKey) != 0) out.modifiers |= ControlMask;
  return out;
}

}  // namespace axt::lindesk
