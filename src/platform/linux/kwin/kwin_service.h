// KWin on the session bus: the name it owns there, and which connection
// owns it now. One question answers both whether KWin is there and whom
// its scripts' answers must come from.
#pragma once

#include <gio/gio.h>

#include <string>

namespace axt::lindesk {

inline constexpr const char* kKWinService = "org.kde.KWin";

// The unique name that owns KWin's name on `bus` now; empty when none does
// or the bus didn't answer in time.
std::string kwinOwnerOn(GDBusConnection* bus);

// The same on the session bus GIO shares in the process.
std::string kwinOwner();

}  // namespace axt::lindesk
