#include "desktop_output.h"

#include <chrono>
#include <string>

#include "output.h"

namespace play {
namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point& startTime() {
  static Clock::time_point start = Clock::now();
  return start;
}

void writeNow(const std::string& line) {
  writeLine(line);
  flushOutput();
}

}  // namespace

// The library calls the host back through a plain C function pointer.
extern "C" {
static void desktopCallback(const char* notification, const char* json) {
  writeNow(eventLine(desktopSeconds(), notification, json));
}
}

void startDesktopClock() { startTime() = Clock::now(); }

double desktopSeconds() {
  return std::chrono::duration<double>(Clock::now() - startTime()).count();
}

axtrack_callback desktopHostCallback() { return &desktopCallback; }

void printDesktopResult(std::string_view function, bool value) {
  writeNow(resultLine(desktopSeconds(), function, value));
}

}  // namespace play
