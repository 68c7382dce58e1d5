// Reads a scenario meant for the real desktop (--desktop) and checks all of
// it before anything is loaded or played. The members and steps that build
// or drive the simulated desktop have no meaning there and are faults, so a
// file written for one mode can't half-play in the other.
#pragma once

#include <string>
#include <variant>

#include "desktop_plan.h"
#include "json_fields.h"

namespace play {

using DesktopReadResult = std::variant<DesktopPlan, ReadError>;

// Like readScenarioFile, total on any input: every fault, an unreadable
// file too, becomes a ReadError, never a crash.
DesktopReadResult readDesktopScenarioFile(const std::string& path);

}  // namespace play
