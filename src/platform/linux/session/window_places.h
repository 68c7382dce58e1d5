// Where applications' top-level windows are, as the session knows them:
// what the bus side can't learn from the applications themselves.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logic/window_place.h"
#include "platform/values.h"

namespace axt::lindesk {

class WindowPlaces {
 public:
  virtual ~WindowPlaces() = default;

  // The toolkit's application id of the process: empty when it shows
  // windows and none carries one, absent while it shows none.
  virtual std::optional<std::string> applicationIdOf(platform::Pid pid) = 0;
  // The process's shown top-level windows, each on the screen with its
  // frame extents (window_place.h).
  virtual std::vector<XWindowPlace> shownWindowsOf(platform::Pid pid) = 0;
  // The process whose window is the active one, when the session says.
  virtual std::optional<platform::Pid> activeProcess() = 0;
};

}  // namespace axt::lindesk
