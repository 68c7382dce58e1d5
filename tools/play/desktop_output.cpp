#include "desktop_output.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "output.h"

namespace play {
namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point& startTime() {
  static Clock::time_point start = Clock::now();
  return start;
}

std::string stamp() {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", desktopSeconds());
  return buffer;
}

void writeNow(const std::string& line) {
  writeLine(line);
  flushOutput();
}

}  // namespace

// The library calls the host back through a plain C function pointer.
extern "C" {
static void desktopCallback(const char* notification, const char* json) {
  std::string line = "event " + stamp() + " ";
  line += notification != nullptr ? notification : "";
  line += ' ';
  line += json != nullptr ? json : "";
  writeNow(line);
}
}

void startDesktopClock() { startTime() = Clock::now(); }

double desktopSeconds() {
  return std::chrono::duration<double>(Clock::now() - startTime()).count();
}

axtrack_callback desktopHostCallback() { return &desktopCallback; }

void printDesktopResult(std::string_view function, bool value) {
  std::string line = "result " + stamp() + " ";
  line += function;
  line += value ? " true" : " false";
  writeNow(line);
}

}  // namespace play
