// A binding the compositor keeps after the process that made it is gone
// would take its key from every application until the compositor is
// restarted. So each binding has a keeper (glue/exit_keeper.h) that asks
// the compositor (swaymsg) to take it back once the host's process ends.
// No binding is made without one.
#pragma once

#include <string>

#include "sway/sway_ipc.h"

namespace axt::lindesk {

// Starts the keeper of a binding: once the returned end closes, `undo` is
// run as a command over the compositor's socket at `socketPath`. An
// invalid end when no keeper could be started (swaymsg isn't found).
OwnedFd startBindingKeeper(const std::string& socketPath, const std::string& undo);

}  // namespace axt::lindesk
