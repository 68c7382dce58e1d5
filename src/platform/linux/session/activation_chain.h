// Activation by more than one way, in turn: in a Wayland session with an X
// server beside the compositor, an application's X11 window is activated
// as on an X server, and one that has none (a native Wayland client)
// through the compositor, when it offers a way.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "session/window_activation.h"

namespace axt::lindesk {

class WindowActivationChain final : public WindowActivation {
 public:
  explicit WindowActivationChain(std::vector<std::unique_ptr<WindowActivation>> ways) : ways_(std::move(ways)) {}
  // The first way that activates one of the process's windows; false when
  // none does.
  bool activate(platform::Pid pid, const FrameTitles& frameTitles) override {
    for (const auto& way : ways_) {
      if (way && way->activate(pid, frameTitles)) return true;
    }
    return false;
  }

 private:
  std::vector<std::unique_ptr<WindowActivation>> ways_;
};

}  // namespace axt::lindesk
