// Bringing a native Wayland application to the front under KWin, which
// offers an ordinary client no request for it but runs scripts: one that
// makes the process's window the active one.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "kwin/kwin_scripting.h"
#include "session/window_activation.h"

namespace axt::lindesk {

// The script that activates the window of `pid` the user had in front
// last: the topmost of its normal windows and dialogs that isn't
// minimised, else the topmost minimised one, restored. It speaks both
// KWin 5's names and KWin 6's.
std::string activationScript(platform::Pid pid);

class KWinWindowActivation final : public WindowActivation {
 public:
  // `scripting` may be shared with the window places: KWin 5 numbers a
  // script by how many are loaded, so two of ours loaded at once can be
  // given one object path, and the run meant for one runs the other.
  explicit KWinWindowActivation(std::shared_ptr<KWinScripting> scripting) : scripting_(std::move(scripting)) {}
  // True once KWin has run the script: it says nothing back, so a process
  // without windows is found out only by the focus not moving.
  bool activate(platform::Pid pid, const FrameTitles& frameTitles) override;

 private:
  std::shared_ptr<KWinScripting> scripting_;
};

}  // namespace axt::lindesk
