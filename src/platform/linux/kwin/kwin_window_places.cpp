#include "kwin/kwin_window_places.h"

#include <cmath>
#include <utility>

#include "logic/window_choice.h"

namespace axt::lindesk {

namespace {

// KWin runs a script as soon as it is loaded and run; one that hasn't
// answered by then won't.
constexpr int kAnswerMs = 500;

bool sameSize(const platform::Size& a, const platform::Size& b) {
  return std::abs(a.width - b.width) < 1.5 && std::abs(a.height - b.height) < 1.5;
}

}  // namespace

KWinWindowPlaces::KWinWindowPlaces(std::shared_ptr<KWinScripting> scripting, std::unique_ptr<ScriptAnswers> answers,
                                   const HandlingCache* readings)
    : scripting_(std::move(scripting)),
      answers_(std::move(answers)),
      readings_(readings),
      nextToken_(0) {}

const std::vector<KWinWindow>* KWinWindowPlaces::windowsOf(platform::Pid pid) {
  const std::optional<std::uint64_t> era = readings_ != nullptr ? readings_->era() : std::nullopt;
  if (era && keptEra_ == era && keptPid_ == pid) return &kept_;
  keptEra_.reset();
  if (!answers_ || !scripting_) return nullptr;
  const std::uint64_t token = ++nextToken_;
  if (!scripting_->run(windowListScript(pid, token, answers_->address()))) return nullptr;
  const std::optional<std::string> answer = answers_->await(token, kAnswerMs);
  if (!answer) return nullptr;
  kept_ = kwinWindows(*answer);
  keptEra_ = era;
  keptPid_ = pid;
  return &kept_;
}

std::optional<platform::Point> KWinWindowPlaces::relativeOriginOf(platform::Pid pid,
                                                                  const std::function<ToolkitWindow()>& windowOf) {
  if (pid <= 0) return std::nullopt;
  const std::vector<KWinWindow>* windows = windowsOf(pid);
  if (windows == nullptr) return std::nullopt;
  std::vector<const KWinWindow*> native;
  for (const KWinWindow& w : *windows) {
    if (w.x11) return std::nullopt;
    if (w.surface.size.width > 0) native.push_back(&w);
  }
  if (native.empty()) return std::nullopt;
  const ToolkitWindow toolkit = windowOf();
  const KWinWindow* chosen = windowTitled(native, toolkit.title);
  if (chosen == nullptr) return std::nullopt;
  if (!sameSize(toolkit.size, chosen->surface.size) && sameSize(toolkit.size, chosen->frame.size)) {
    return chosen->frame.origin;
  }
  return chosen->surface.origin;
}

}  // namespace axt::lindesk
