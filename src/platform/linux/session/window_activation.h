// The session's way of bringing an application to the front: one of its
// top-level windows is made the active one.
#pragma once

#include <functional>
#include <set>
#include <string>

#include "platform/values.h"

namespace axt::lindesk {

class WindowActivation {
 public:
  virtual ~WindowActivation() = default;

  // The titles of the application's frames as the bus names them, for the
  // windows of a toolkit that doesn't say which process they belong to;
  // asked only for those.
  using FrameTitles = std::function<std::set<std::string>()>;

  // Activates the window of `pid` the user had in front last (the topmost
  // shown; one minimised when it has no other). False when it has no such
  // window or the session can't activate one.
  virtual bool activate(platform::Pid pid, const FrameTitles& frameTitles) = 0;
};

}  // namespace axt::lindesk
