// A key combination as KDE's global shortcuts name it: the key code Qt
// gives it (the key and its modifiers in one int, as the shortcut service
// takes them over D-Bus), and the text KDE shows for it ("Alt+Return").
#pragma once

#include <optional>
#include <string>

#include "session/hot_keys.h"

namespace axt::lindesk {

struct KdeShortcut {
  int code = 0;
  std::string text;
  bool operator==(const KdeShortcut&) const = default;
};

// Absent for a key or a modifier the shortcut service has no name for (a
// lock, Mod2 to Mod5 other than Super).
std::optional<KdeShortcut> kdeShortcut(const KeyCombination& keys);

}  // namespace axt::lindesk
