// Reads a scenario file and checks all of it before anything is played, so
// that a bad file is reported on one line and leaves standard output empty.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "plan.h"

namespace play {

struct ReadError {
  // Where the fault is, as a path into the document ("steps[3].do"), or
  // empty when the text itself can't be read or parsed.
  std::string position;
  std::string message;
};

using ReadResult = std::variant<Plan, ReadError>;

// Total on any input: every fault becomes a ReadError, never a crash.
ReadResult readScenario(std::string_view text);

// The same for a file; a file that can't be read is a ReadError too.
ReadResult readScenarioFile(const std::string& path);

}  // namespace play
