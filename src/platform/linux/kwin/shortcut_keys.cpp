#include "kwin/shortcut_keys.h"

#include <X11/keysym.h>

#include <utility>

namespace axt::lindesk {

namespace {

// Qt's modifiers, in the order KDE writes them.
struct Modifier {
  unsigned int mask;
  int qt;
  const char* text;
};
constexpr Modifier kModifiers[] = {
    {Mod4Mask, 0x10000000, "Meta"},
    {ControlMask, 0x04000000, "Ctrl"},
    {Mod1Mask, 0x08000000, "Alt"},
    {ShiftMask, 0x02000000, "Shift"},
};
constexpr int kKeypad = 0x20000000;

// Qt's code of the key and its text.
std::optional<std::pair<int, std::string>> key(KeySym keysym) {
  if (keysym >= XK_a && keysym <= XK_z) keysym -= XK_a - XK_A;
  if ((keysym >= XK_A && keysym <= XK_Z) || (keysym >= XK_0 && keysym <= XK_9)) {
    return std::pair{static_cast<int>(keysym), std::string(1, static_cast<char>(keysym))};
  }
  if (keysym >= XK_F1 && keysym <= XK_F12) {
    const int n = static_cast<int>(keysym - XK_F1);
    return std::pair{0x01000030 + n, "F" + std::to_string(n + 1)};
  }
  switch (keysym) {
    case XK_Return: return std::pair{0x01000004, std::string("Return")};
    case XK_KP_Enter: return std::pair{0x01000005 | kKeypad, std::string("Num+Enter")};
    case XK_Tab: return std::pair{0x01000001, std::string("Tab")};
    case XK_Escape: return std::pair{0x01000000, std::string("Esc")};
    case XK_BackSpace: return std::pair{0x01000003, std::string("Backspace")};
    case XK_space: return std::pair{0x20, std::string("Space")};
    default: return std::nullopt;
  }
}

unsigned int knownMasks() {
  unsigned int all = 0;
  for (const Modifier& m : kModifiers) all |= m.mask;
  return all;
}

}  // namespace

std::optional<KdeShortcut> kdeShortcut(const KeyCombination& keys) {
  const auto named = key(keys.keysym);
  if (!named || (keys.modifiers & ~knownMasks()) != 0) return std::nullopt;
  KdeShortcut shortcut{named->first, ""};
  for (const Modifier& m : kModifiers) {
    if ((keys.modifiers & m.mask) == 0) continue;
    shortcut.code |= m.qt;
    shortcut.text += std::string(m.text) + "+";
  }
  shortcut.text += named->second;
  return shortcut;
}

}  // namespace axt::lindesk
