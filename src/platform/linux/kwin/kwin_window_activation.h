// Bringing a native Wayland application to the front under KWin, which
// offers an ordinary client no request for it but runs scripts: one that
// makes the process's window the active one.
#pragma once

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
  explicit KWinWindowActivation(KWinScripting scripting) : scripting_(std::move(scripting)) {}
  // True once KWin has run the script: it says nothing back, so a process
  // without windows is found out only by the focus not moving.
  bool activate(platform::Pid pid, const FrameTitles& frameTitles) override;

 private:
  KWinScripting scripting_;
};

}  // namespace axt::lindesk
