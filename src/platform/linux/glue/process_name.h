// The name of a process's program, as the system tells it.
#pragma once

#include <optional>
#include <string>

namespace axt::lindesk {

// The file name of the program `pid` runs, or, for another user's process,
// its short name (cut at 15 bytes); nothing for a process that is gone.
std::optional<std::string> executableName(long pid);

}  // namespace axt::lindesk
