// The kit's C interface over the simulated desktop and the scenario reader.
// One desktop per process, as the library has one platform: the queue of
// steps still to play is this file's one module value.
#include "axtrack_kit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <variant>

#include "desktop_steps.h"
#include "pasteboard_json.h"
#include "scenario_reader.h"
#include "simdesk/desktop.h"

namespace {

// The user's steps not yet played, in time order (the reader keeps the
// file's order, which is checked to be in time order).
std::deque<play::Step>& pending() {
  static std::deque<play::Step> steps;
  return steps;
}

simdesk::Desktop& desktop() { return simdesk::Desktop::get(); }

void copyError(const std::string& message, char* error, std::size_t size) {
  if (error == nullptr || size == 0) return;
  const std::size_t n = std::min(message.size(), size - 1);
  std::memcpy(error, message.data(), n);
  error[n] = '\0';
}

char* duplicate(const std::string& text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

// Plays the queued steps due by `seconds`, running the loop up to each.
void playDue(double seconds) {
  auto& steps = pending();
  while (!steps.empty() && steps.front().at <= seconds) {
    const play::Step step = std::move(steps.front());
    steps.pop_front();
    desktop().runUntil(step.at);
    play::playDesktopStep(desktop(), step);
  }
}

}  // namespace

extern "C" {

int axtrack_kit_load(const char* scenario_path, char* error, std::size_t error_size) {
  if (scenario_path == nullptr) {
    copyError("no scenario file given", error, error_size);
    return -1;
  }
  play::ReadResult read = play::readScenarioFile(scenario_path);
  if (const auto* bad = std::get_if<play::ReadError>(&read)) {
    copyError(bad->describe(scenario_path), error, error_size);
    return -1;
  }
  const play::Plan& plan = std::get<play::Plan>(read);
  play::layOutDesktop(desktop(), plan);
  auto& steps = pending();
  steps.clear();
  // The host's calls are the host's own: only the desktop's steps queue.
  for (const play::Step& step : plan.steps) {
    if (play::isDesktopStep(step)) steps.push_back(step);
  }
  copyError("", error, error_size);
  return 0;
}

void axtrack_kit_run_until(double seconds) {
  playDue(seconds);
  desktop().runUntil(seconds);
}

double axtrack_kit_run_until_idle(void) {
  if (!pending().empty()) playDue(pending().back().at);
  return desktop().runUntilIdle();
}

double axtrack_kit_now(void) { return desktop().now(); }

void* axtrack_kit_window(const char* window_id) {
  if (window_id == nullptr) return nullptr;
  return desktop().windowObject(window_id);
}

char* axtrack_kit_text(const char* element_id) {
  if (element_id == nullptr) return nullptr;
  const auto text = desktop().text(element_id);
  return text ? duplicate(*text) : nullptr;
}

char* axtrack_kit_pasteboard(void) { return duplicate(play::pasteboardJson(desktop().pasteboard())); }

int axtrack_kit_frontmost(void) {
  const auto pid = desktop().frontmost();
  return pid ? static_cast<int>(*pid) : 0;
}

void axtrack_kit_free(char* text) { std::free(text); }

}  // extern "C"
