#include "kwin/kwin_window_activation.h"

namespace axt::lindesk {

std::string activationScript(platform::Pid pid) {
  // Only the number is ours to put in: nothing of the application's goes
  // into the script.
  return "(function () {\n"
         "  const pid = " +
         std::to_string(pid) +
         ";\n"
         // KWin 6 gives its windows bottom to top; KWin 5 has only the list
         // of its clients, in the order they came.
         "  const stack = workspace.stackingOrder ||\n"
         "      (typeof workspace.windowList === \"function\" ? workspace.windowList() : workspace.clientList());\n"
         "  let chosen = null;\n"
         "  for (let i = stack.length - 1; i >= 0; i--) {\n"
         "    const w = stack[i];\n"
         "    if (w.pid !== pid || !(w.normalWindow || w.dialog)) continue;\n"
         "    if (!w.minimized) { chosen = w; break; }\n"
         "    if (chosen === null) chosen = w;\n"
         "  }\n"
         "  if (chosen === null) return;\n"
         "  if (chosen.minimized) chosen.minimized = false;\n"
         "  if (typeof workspace.windowList === \"function\") workspace.activeWindow = chosen;\n"
         "  else workspace.activeClient = chosen;\n"
         "})();\n";
}

bool KWinWindowActivation::activate(platform::Pid pid, const FrameTitles&) {
  if (pid <= 0 || !scripting_) return false;
  return scripting_->run(activationScript(pid));
}

}  // namespace axt::lindesk
