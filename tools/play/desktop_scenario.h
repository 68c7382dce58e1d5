// Reads a scenario meant for the real desktop (--desktop) and checks all of
// it before anything is loaded or played. The members and steps that build
// or drive the simulated desktop have no meaning there and are faults, so a
// file written for one mode can't half-play in the other.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "desktop_plan.h"
#include "scenario_reader.h"

namespace play {

using DesktopReadResult = std::variant<DesktopPlan, ReadError>;

// Total on any input: every fault becomes a ReadError, never a crash.
DesktopReadResult readDesktopScenario(std::string_view text);

// The same for a file; a file that can't be read is a ReadError too.
DesktopReadResult readDesktopScenarioFile(const std::string& path);

}  // namespace play
