#include "sway/sway_window_activation.h"

#include <string>

#include "json/json.h"
#include "sway/sway_ipc.h"

namespace axt::lindesk {

bool commandsSucceeded(std::string_view reply) {
  const json::ParseResult parsed = json::parse(reply);
  if (!parsed) return false;
  const json::Array* results = parsed.value->asArray();
  if (results == nullptr || results->empty()) return false;
  for (const json::Value& result : *results) {
    const json::Value* success = result.find("success");
    if (success == nullptr || success->asBool() == nullptr || !*success->asBool()) return false;
  }
  return true;
}

bool SwayWindowActivation::activate(platform::Pid pid, const FrameTitles&) {
  if (pid <= 0) return false;
  // The criteria name the process only: the number is ours, nothing of the
  // application's goes into the command.
  const std::optional<IpcMessage> reply = ipc_.ask(IpcType::kRunCommand, "[pid=" + std::to_string(pid) + "] focus");
  return reply && commandsSucceeded(reply->payload);
}

}  // namespace axt::lindesk
