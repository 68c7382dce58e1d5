// Where applications' top-level windows are, as the session knows them:
// what the bus side can't learn from the applications themselves.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "logic/window_place.h"
#include "platform/values.h"

namespace axt::lindesk {

// A top-level window as its toolkit tells it over AT-SPI.
struct ToolkitWindow {
  std::string title;
  platform::Size size;  // zero when not told
};

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
  // Where the window starts on the screen that the process's toolkit
  // gives its "screen" coordinates relative to: a native Wayland client
  // is never told where its window is. Absent for a process whose
  // coordinates are the screen's (the X server's clients) and where the
  // window isn't known. `windowOf` tells the window the coordinates are
  // of, as its toolkit gives it; asked only for a process that has such
  // windows.
  // Whether relativeOriginOf can answer for any process: nothing is asked
  // for it where none can.
  virtual bool placesRelativeWindows() const { return false; }
  virtual std::optional<platform::Point> relativeOriginOf(platform::Pid pid,
                                                          const std::function<ToolkitWindow()>& windowOf) {
    (void)pid;
    (void)windowOf;
    return std::nullopt;
  }
};

}  // namespace axt::lindesk
