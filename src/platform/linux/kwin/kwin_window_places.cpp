#include "kwin/kwin_window_places.h"

#include <cmath>
#include <utility>

#include "glue/monotonic_clock.h"
#include "logic/window_choice.h"

namespace axt::lindesk {

namespace {

// KWin runs a script as soon as it is loaded and run; one that hasn't
// answered by then won't.
constexpr int kAnswerMs = 500;
// A KWin that didn't answer (hung, or gone) isn't asked again for this
// long: each asking costs up to a second of the host's thread, and the
// hot key's caret alone asks for two or three rectangles. Meanwhile the
// rectangles stay relative to the window, as they would without it.
constexpr double kQuietSeconds = 3.0;

bool sameSize(const platform::Size& a, const platform::Size& b) {
  return std::abs(a.width - b.width) < 1.5 && std::abs(a.height - b.height) < 1.5;
}

}  // namespace

KWinWindowPlaces::KWinWindowPlaces(std::shared_ptr<KWinScripting> scripting, std::unique_ptr<ScriptAnswers> answers,
                                   const HandlingCache* readings, std::function<double()> clock)
    : scripting_(std::move(scripting)),
      answers_(std::move(answers)),
      clock_(clock ? std::move(clock) : std::function<double()>(monotonicSeconds)),
      kept_(readings),
      nextToken_(0) {}

const std::vector<KWinWindow>* KWinWindowPlaces::windowsOf(platform::Pid pid) {
  if (const std::vector<KWinWindow>* kept = kept_.find(pid)) return kept;
  if (!answers_ || !scripting_) return nullptr;
  if (quietUntil_ && clock_() < *quietUntil_) return nullptr;
  quietUntil_.reset();
  const std::uint64_t token = ++nextToken_;
  std::optional<std::string> answer;
  if (scripting_->run(windowListScript(pid, token, answers_->address()))) answer = answers_->await(token, kAnswerMs);
  if (!answer) {
    quietUntil_ = clock_() + kQuietSeconds;
    return nullptr;
  }
  return &kept_.keep(pid, kwinWindows(*answer));
}

std::optional<platform::Point> KWinWindowPlaces::relativeOriginOf(platform::Pid pid,
                                                                  const std::function<ToolkitWindow()>& windowOf) {
  if (pid <= 0) return std::nullopt;
  const std::vector<KWinWindow>* windows = windowsOf(pid);
  if (windows == nullptr) return std::nullopt;
  // The script sends the process's windows only.
  const std::optional<std::vector<const KWinWindow*>> native =
      nativeWindowsAmong(*windows, [](const KWinWindow&) { return true; }, &KWinWindow::surface);
  if (!native || native->empty()) return std::nullopt;
  const ToolkitWindow toolkit = windowOf();
  const KWinWindow* chosen = windowTitled(*native, toolkit.title);
  if (chosen == nullptr) return std::nullopt;
  if (!sameSize(toolkit.size, chosen->surface.size) && sameSize(toolkit.size, chosen->frame.size)) {
    return chosen->frame.origin;
  }
  return chosen->surface.origin;
}

}  // namespace axt::lindesk
