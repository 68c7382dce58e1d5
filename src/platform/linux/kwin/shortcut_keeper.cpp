#include "kwin/shortcut_keeper.h"

#include "glue/exit_keeper.h"

namespace axt::lindesk {

namespace {

// gdbus reads its arguments as GVariant text; the names are our own and
// hold no quote.
std::string quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

std::vector<std::string> unregisterCommand(const std::string& busAddress, const ShortcutAction& action) {
  if (busAddress.empty()) return {};
  // Sent to the service's name, not to the connection that owns it now:
  // a KWin started again since still keeps the action in the settings.
  if (programOnPath("dbus-send")) {
    return {"dbus-send", "--bus=" + busAddress, "--type=method_call", "--dest=org.kde.kglobalaccel",
            "/kglobalaccel", "org.kde.KGlobalAccel.unregister", "string:" + action.component,
            "string:" + action.action};
  }
  if (programOnPath("gdbus")) {
    return {"gdbus", "call", "--address", busAddress, "--dest", "org.kde.kglobalaccel", "--object-path",
            "/kglobalaccel", "--method", "org.kde.KGlobalAccel.unregister", quoted(action.component), quoted(action.action)};
  }
  return {};
}

OwnedFd startShortcutKeeper(const std::string& busAddress, const ShortcutAction& action) {
  const std::vector<std::string> command = unregisterCommand(busAddress, action);
  if (command.empty()) return {};
  return startExitKeeper(command);
}

}  // namespace axt::lindesk
