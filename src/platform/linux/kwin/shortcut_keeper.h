// The keeper of a global shortcut (glue/exit_keeper.h): the shortcut
// service keeps what is registered, in the user's settings too, after the
// program that made it is gone, and would take its key from every
// application. The keeper asks the service to unregister it, with a D-Bus
// tool of the system's (dbus-send, else gdbus), once the host's process
// ends.
#pragma once

#include <string>
#include <vector>

#include "glue/owned_fd.h"
#include "kwin/global_accel.h"

namespace axt::lindesk {

// The command that unregisters `action` on the bus at `busAddress`; empty
// when neither tool is on the PATH.
std::vector<std::string> unregisterCommand(const std::string& busAddress, const ShortcutAction& action);

// An invalid end when no keeper could be started.
OwnedFd startShortcutKeeper(const std::string& busAddress, const ShortcutAction& action);

}  // namespace axt::lindesk
