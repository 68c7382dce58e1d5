// axtrack-play --desktop FILE: the library for the Linux desktop against the
// real applications on it. No desktop is built: the host's calls are made at
// their times on the real clock while the GLib main loop runs, as a host's
// main thread runs it, and the user is played by commands ("run").
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "entry_points.h"

namespace play {

// Loads the library; on failure returns nothing and says why in `error`.
using LibraryLoader = std::function<std::optional<EntryPoints>(std::string& error)>;

// The library a desktop play loads when no --library is given.
inline constexpr const char* kDesktopLibraryName = "libaxtrack.so";

// Checks the file, loads the library and plays; returns the exit status:
// 0 when everything ran, 1 when a command failed (its line on standard
// error says how; the play goes on), 2 when the file or the library can't
// be used or this player was built without the real desktop.
int playOnDesktop(const std::string& scenarioPath, const LibraryLoader& load);

}  // namespace play
