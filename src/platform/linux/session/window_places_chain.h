// Window places from more than one way, in turn: in a Wayland session with
// an X server beside the compositor, the X server tells of its windows and
// the compositor of the native ones it alone has.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "session/window_places.h"

namespace axt::lindesk {

class WindowPlacesChain final : public WindowPlaces {
 public:
  explicit WindowPlacesChain(std::vector<std::unique_ptr<WindowPlaces>> ways) : ways_(std::move(ways)) {}

  // The first way that knows windows of the process answers.
  std::optional<std::string> applicationIdOf(platform::Pid pid) override {
    for (const auto& way : ways_) {
      if (std::optional<std::string> id = way->applicationIdOf(pid)) return id;
    }
    return std::nullopt;
  }
  std::vector<XWindowPlace> shownWindowsOf(platform::Pid pid) override {
    for (const auto& way : ways_) {
      if (std::vector<XWindowPlace> windows = way->shownWindowsOf(pid); !windows.empty()) return windows;
    }
    return {};
  }
  bool placesRelativeWindows() const override {
    for (const auto& way : ways_) {
      if (way->placesRelativeWindows()) return true;
    }
    return false;
  }
  std::optional<platform::Point> relativeOriginOf(platform::Pid pid,
                                                  const std::function<ToolkitWindow()>& windowOf) override {
    for (const auto& way : ways_) {
      if (std::optional<platform::Point> origin = way->relativeOriginOf(pid, windowOf)) return origin;
    }
    return std::nullopt;
  }
  std::optional<platform::Pid> activeProcess() override {
    for (const auto& way : ways_) {
      if (std::optional<platform::Pid> pid = way->activeProcess()) return pid;
    }
    return std::nullopt;
  }

 private:
  std::vector<std::unique_ptr<WindowPlaces>> ways_;
};

}  // namespace axt::lindesk
