// A key combination as KDE's global shortcuts name it: the key code Qt
// gives it (the key and its modifiers in one int, as the shortcut service
// takes them over D-Bus), and the text KDE shows for it ("Alt+Return").
#pragma once

#include <optional>
#include <string>

#include "session/hot_keys.h"

namespace axt::lindesk {

// Absent for a key or a modifier the shortcut service has no name for (a
// lock, Mod2 to Mod5 other than Super).
std::optional<int> qtKeyCode(const KeyCombination& keys);
std::optional<std::string> shortcutText(const KeyCombination& keys);

}  // namespace axt::lindesk
