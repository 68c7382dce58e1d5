// A scenario for the real desktop, after reading and checking. There is no
// desktop to describe: the file holds only steps, the host's calls and
// commands that act as the user (xdotool and the like).
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "plan.h"

namespace play {

// addMouseTracker on the real desktop: the host window is named by its X11
// window id, handed to the library in place of the object pointer.
struct X11WindowArgs {
  std::uint32_t window = 0;
};

// "run": a program and its arguments, started without a shell.
struct CommandArgs {
  std::vector<std::string> argv;
};

using DesktopStepArgs =
    std::variant<NoArgs, InitArgs, StartArgs, TextArgs, X11WindowArgs, CommandArgs>;

struct DesktopStep {
  double at = 0;      // seconds since the start of the play, on the real clock
  std::string name;   // the "do" member
  std::string where;  // "steps[3]", for messages about the step while it plays
  DesktopStepArgs args;
};

struct DesktopPlan {
  std::vector<DesktopStep> steps;
};

}  // namespace play
