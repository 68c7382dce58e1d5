#include "sway/binding_keeper.h"

#include "glue/exit_keeper.h"

namespace axt::lindesk {

OwnedFd startBindingKeeper(const std::string& socketPath, const std::string& undo) {
  if (socketPath.empty()) return {};
  return startExitKeeper({"swaymsg", "-q", "-s", socketPath, "--", undo});
}

}  // namespace axt::lindesk
