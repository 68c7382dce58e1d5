// Where applications' top-level windows are, as the X server tells the
// backend's connection.
#pragma once

#include "session/window_places.h"

namespace axt::lindesk {

class X11Display;

class X11WindowPlaces final : public WindowPlaces {
 public:
  explicit X11WindowPlaces(X11Display& x11) : x11_(x11) {}

  std::optional<std::string> applicationIdOf(platform::Pid pid) override;
  std::vector<XWindowPlace> shownWindowsOf(platform::Pid pid) override;
  std::optional<platform::Pid> activeProcess() override;
  // An X client's coordinates are the screen's already: where the process
  // shows X windows, nothing is to be moved, and the ways after this one
  // in a Wayland session's chain aren't asked.
  std::optional<platform::Point> relativeOriginOf(platform::Pid pid,
                                                  const std::function<ToolkitWindow()>& windowOf) override;

 private:
  X11Display& x11_;
};

}  // namespace axt::lindesk
