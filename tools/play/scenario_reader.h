// Reads a scenario file and checks all of it before anything is played, so
// that a bad file is reported on one line and leaves standard output empty.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "json_fields.h"
#include "plan.h"

namespace play {

using ReadResult = std::variant<Plan, ReadError>;

// Total on any input: every fault becomes a ReadError, never a crash.
ReadResult readScenario(std::string_view text);

// The same for a file; a file that can't be read is a ReadError too.
ReadResult readScenarioFile(const std::string& path);

}  // namespace play
