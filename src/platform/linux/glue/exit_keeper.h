// What the library leaves with a compositor or a desktop service (a key
// binding, a global shortcut) can outlive the process that made it and take
// a key from every application until the session ends: unlike an X grab,
// nothing of it ends with the client. So each such thing has a keeper, a
// small process of its own that waits on a pipe whose other end only the
// host holds, and when that end closes (the host exits, or crashes) runs
// the command that undoes it. Nothing is left behind without one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "glue/owned_fd.h"

namespace axt::lindesk {

// Whether an executable named `name` is on the PATH, as the keeper's shell
// would look for it.
bool programOnPath(std::string_view name);

// Starts a keeper that runs `command` (a program found on the PATH and its
// arguments) once the returned end closes. An invalid end when none could
// be started, or the program isn't on the PATH.
OwnedFd startExitKeeper(const std::vector<std::string>& command);

}  // namespace axt::lindesk
