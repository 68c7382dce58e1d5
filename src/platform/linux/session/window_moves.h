// Moves and resizes of applications' top-level windows, as the session sees
// them happen: for the toolkits that don't report them on the accessibility
// bus (GTK reports no window moves there).
#pragma once

#include <functional>

#include "platform/values.h"

namespace axt::lindesk {

class WindowMoves {
 public:
  virtual ~WindowMoves() = default;

  // Who hears each change of a followed window's frame: its process, and
  // whether the window moved, was resized, or both. Set once, before the
  // first window is followed.
  virtual void onChange(std::function<void(platform::Pid pid, bool moved, bool resized)> changed) = 0;
  // Starts following the top-level windows the process has now; again for
  // windows it opened since. Windows already followed keep their state.
  virtual void follow(platform::Pid pid) = 0;
};

}  // namespace axt::lindesk
