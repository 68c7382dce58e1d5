// Where a native Wayland window is under KWin, which tells an ordinary
// client nothing of it but runs its scripts: one sends KWin's list of the
// process's windows back to an object of ours on the session bus.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "kwin/kwin_scripting.h"
#include "kwin/kwin_window_list.h"
#include "kwin/script_answers.h"
#include "logic/handling_cache.h"
#include "logic/kept_for_handling.h"
#include "session/window_places.h"

namespace axt::lindesk {

class KWinWindowPlaces final : public WindowPlaces {
 public:
  // Within one handling of `readings` (when given) a process's list is
  // asked for once: the hot key's caret reads two or three rectangles.
  // After KWin failed to answer, nothing is asked of it for a few seconds
  // of `clock` (the monotonic one when none is given).
  // `scripting` is the one the activation runs its scripts through, so
  // that one script of ours is loaded at a time (kwin_window_activation.h).
  KWinWindowPlaces(std::shared_ptr<KWinScripting> scripting, std::unique_ptr<ScriptAnswers> answers,
                   const HandlingCache* readings = nullptr, std::function<double()> clock = {});

  // The ids are the X server's and the session bus's to tell.
  std::optional<std::string> applicationIdOf(platform::Pid) override { return std::nullopt; }
  std::vector<XWindowPlace> shownWindowsOf(platform::Pid) override { return {}; }
  std::optional<platform::Pid> activeProcess() override { return std::nullopt; }
  bool placesRelativeWindows() const override { return true; }
  // Where the coordinates of the process's native window start: its only
  // one, else the one of the toolkit window's title, else the active one.
  // That is its surface, unless the toolkit's size of the window is its
  // frame's (GTK 4 draws its own frame and shadow and counts from inside
  // them). Absent for a process with X windows, whose toolkit knows its
  // place, and when KWin didn't answer.
  std::optional<platform::Point> relativeOriginOf(platform::Pid pid,
                                                  const std::function<ToolkitWindow()>& windowOf) override;

 private:
  // The process's windows, kept for the handling; null when KWin didn't
  // answer, now or a moment ago.
  const std::vector<KWinWindow>* windowsOf(platform::Pid pid);

  std::shared_ptr<KWinScripting> scripting_;
  std::unique_ptr<ScriptAnswers> answers_;
  std::function<double()> clock_;
  KeptForHandling<platform::Pid, std::vector<KWinWindow>> kept_;
  std::uint64_t nextToken_;
  std::optional<double> quietUntil_;
};

}  // namespace axt::lindesk
