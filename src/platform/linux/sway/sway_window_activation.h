// Bringing an application to the front through the compositor's IPC: the
// compositor is asked to focus the window of the process, which it knows
// whether the window is a native Wayland one or an X11 one.
#pragma once

#include <string_view>
#include <utility>

#include "session/window_activation.h"
#include "sway/sway_ipc.h"

namespace axt::lindesk {


// Whether a reply to a command says every command in it succeeded
// ([{"success":true}, ...]); false for anything else.
bool commandsSucceeded(std::string_view reply);

class SwayWindowActivation final : public WindowActivation {
 public:
  explicit SwayWindowActivation(SwayIpc ipc) : ipc_(std::move(ipc)) {}
  // The compositor picks which of the process's windows takes the focus;
  // false when it has none, or the compositor didn't answer.
  bool activate(platform::Pid pid, const FrameTitles& frameTitles) override;

 private:
  SwayIpc ipc_;
};

}  // namespace axt::lindesk
