#include "desktop_mode.h"

#include <cstdio>

#if AXTRACK_PLAY_DESKTOP

#include <glib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <variant>

#include "command_runner.h"
#include "desktop_output.h"
#include "desktop_scenario.h"
#include "output.h"

namespace play {
namespace {

// How long a command may take. The user's actions are short (a key, a
// click, a window move); one that hangs must not hold the play forever.
constexpr double kCommandLimitSeconds = 10;

// After the last step the loop goes on this long, so that events the last
// actions caused (they are handed over after a short delay) still arrive.
constexpr double kTailSeconds = 1;

gboolean markFired(gpointer data) {
  *static_cast<bool*>(data) = true;
  return G_SOURCE_REMOVE;
}

// Runs the default main context until `seconds` on the play's clock. The
// timer only wakes the loop; the clock decides, so a wake-up a little early
// waits again for the rest, and a far step is waited for a minute at a time
// (a time in a file may be far beyond what a timer holds).
void runLoopUntil(double seconds) {
  constexpr double kLongestWaitMs = 60000;
  for (;;) {
    const double left = seconds - desktopSeconds();
    if (left <= 0) return;
    bool fired = false;
    const double ms = std::min(std::ceil(left * 1000.0), kLongestWaitMs);
    g_timeout_add(static_cast<guint>(ms), markFired, &fired);
    while (!fired) g_main_context_iteration(nullptr, TRUE);
  }
}

template <class Args>
const Args& argsOf(const DesktopStepArgs& args) {
  static const Args none{};
  const Args* a = std::get_if<Args>(&args);
  return a != nullptr ? *a : none;
}

class DesktopPlayer {
 public:
  explicit DesktopPlayer(const EntryPoints& library) : library_(library) {}

  // Returns false when a command failed.
  bool play(const DesktopPlan& plan) {
    startDesktopClock();
    for (const DesktopStep& step : plan.steps) {
      runLoopUntil(step.at);
      perform(step);
    }
    runLoopUntil(desktopSeconds() + kTailSeconds);
    return commandsOk_;
  }

 private:
  void perform(const DesktopStep& step) {
    const std::string& name = step.name;
    const DesktopStepArgs& a = step.args;
    if (name == "initMacAccessibility") {
      library_.initMacAccessibility(argsOf<InitArgs>(a).callback ? desktopHostCallback() : nullptr);
    } else if (name == "start") {
      library_.start(argsOf<StartArgs>(a).configuration.c_str());
    } else if (name == "setText") {
      library_.setText(argsOf<TextArgs>(a).text.c_str());
    } else if (name == "focusPreiov") {
      library_.focusPreiov();
    } else if (name == "addMouseTracker") {
      // On this desktop the host names its window by its X11 id, carried in
      // the pointer-sized argument.
      const std::uintptr_t id = argsOf<X11WindowArgs>(a).window;
      library_.addMouseTracker(reinterpret_cast<void*>(id));
    } else if (name == "isAccessibiltyEnabled") {
      printDesktopResult(name, library_.isAccessibiltyEnabled());
    } else if (name == "showAccessibiltyPermisionPopup") {
      printDesktopResult(name, library_.showAccessibiltyPermisionPopup());
    } else if (name == "main") {
      char program[] = "axtrack-play";
      char* argv[] = {program, nullptr};
      library_.main(1, argv);
    } else if (name == "run") {
      run(step);
    }
  }

  void run(const DesktopStep& step) {
    std::optional<std::string> failure =
        runCommand(argsOf<CommandArgs>(step.args).argv, kCommandLimitSeconds);
    if (!failure) return;
    commandsOk_ = false;
    flushOutput();  // the complaint comes after what was printed before it
    std::fprintf(stderr, "axtrack-play: %s: %s\n", step.where.c_str(), failure->c_str());
    std::fflush(stderr);
  }

  const EntryPoints& library_;
  bool commandsOk_ = true;
};

}  // namespace

int playOnDesktop(const std::string& scenarioPath, const LibraryLoader& load) {
  // The whole file is checked before anything is loaded or played.
  DesktopReadResult read = readDesktopScenarioFile(scenarioPath);
  if (const auto* bad = std::get_if<ReadError>(&read)) {
    std::fprintf(stderr, "axtrack-play: %s\n", bad->describe(scenarioPath).c_str());
    return 2;
  }
  std::string error;
  std::optional<EntryPoints> library = load(error);
  if (!library) {
    std::fprintf(stderr, "axtrack-play: %s\n", error.c_str());
    return 2;
  }
  DesktopPlayer player(*library);
  bool ok = player.play(std::get<DesktopPlan>(read));
  flushOutput();
  return ok ? 0 : 1;
}

}  // namespace play

#else  // a player built without the Linux desktop

namespace play {

int playOnDesktop(const std::string&, const LibraryLoader&) {
  std::fprintf(stderr,
               "axtrack-play: --desktop: this player was built without the Linux desktop "
               "(configure with -DAXTRACK_LINUX_DESKTOP=ON)\n");
  return 2;
}

}  // namespace play

#endif  // AXTRACK_PLAY_DESKTOP
