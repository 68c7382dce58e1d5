// Everything the player prints goes through here, to one stream, so the
// library's own lines, the host's events and the final state keep the order
// in which they happen.
#pragma once

#include <string>
#include <string_view>

#include "axtrack/axtrack.h"
#include "plan.h"

namespace play {

// One line on standard output.
void writeLine(std::string_view line);

// "event T NAME JSON" for a call of the host callback at `seconds` (T with
// three decimals); NAME and JSON as the host received them, a null one
// written as empty.
std::string eventLine(double seconds, const char* notification, const char* json);

// "result T FUNCTION true|false" for an accessibility query at `seconds`.
std::string resultLine(double seconds, std::string_view function, bool value);

// Routes the simulated desktop's diagnostic lines (the library's log) to
// writeLine.
void installLineSink();

// The host callback handed to initMacAccessibility: prints
// "event T NAME JSON" with the desktop's virtual time.
axtrack_callback hostCallback();

// "result T FUNCTION true|false" for the two accessibility queries.
void printResult(std::string_view function, bool value);

// The desktop after the run: pasteboard, texts, frontmost application,
// activations and posted keys.
void printFinalState(const Plan& plan);

// Everything written so far reaches the stream.
void flushOutput();

}  // namespace play
