// A binding the compositor keeps after the process that made it is gone
// would take its key from every application until the compositor is
// restarted: unlike an X grab, nothing of it ends with the client. So each
// binding has a keeper, a small process of its own that waits on a pipe
// whose other end only the host holds, and when that end closes (the host
// exits, or crashes) asks the compositor (swaymsg) to take the binding
// back. No binding is made without one.
#pragma once

#include <string>

#include "sway/sway_ipc.h"

namespace axt::lindesk {

// Starts the keeper of a binding: once the returned end closes, `undo` is
// run as a command over the compositor's socket at `socketPath`. An
// invalid end when no keeper could be started (swaymsg isn't found).
SocketFd startBindingKeeper(const std::string& socketPath, const std::string& undo);

}  // namespace axt::lindesk
