#include "output.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "json/json.h"
#include "json_fields.h"
#include "pasteboard_json.h"
#include "simdesk/desktop.h"
#include "text/utf8.h"

namespace play {
namespace {

using axt::json::Value;

// Texts that come back from the desktop were written by the library or by
// a paste; the writer wants valid UTF-8 whatever they hold.
Value textValue(const std::string& text) { return Value(axt::text::toValidUtf8(text)); }

std::string timeText(double seconds) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", seconds);
  return buffer;
}

double virtualNow() { return simdesk::Desktop::get().now(); }

// Keys are pids written as text, sorted as text like every object the
// player writes: "10" comes before "9".
std::string activationsJson(const std::map<simdesk::Pid, int>& activations) {
  axt::json::Object object;
  for (const auto& [pid, count] : activations) {
    object.emplace(std::to_string(pid), Value(static_cast<std::int64_t>(count)));
  }
  return compact(Value(std::move(object)));
}

std::string keysJson(const std::vector<simdesk::PostedKey>& keys) {
  axt::json::Array array;
  for (const auto& key : keys) {
    axt::json::Object object;
    object.emplace("code", Value(static_cast<std::int64_t>(key.code)));
    object.emplace("down", Value(key.down));
    object.emplace("flags", Value(static_cast<std::int64_t>(key.flags)));
    array.emplace_back(std::move(object));
  }
  return compact(Value(std::move(array)));
}

}  // namespace

// The library calls the host back through a plain C function pointer.
extern "C" {
static void playHostCallback(const char* notification, const char* json) {
  writeLine(eventLine(virtualNow(), notification, json));
}
}

void writeLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

std::string eventLine(double seconds, const char* notification, const char* json) {
  std::string line = "event " + timeText(seconds) + " ";
  line += notification != nullptr ? notification : "";
  line += ' ';
  line += json != nullptr ? json : "";
  return line;
}

std::string resultLine(double seconds, std::string_view function, bool value) {
  std::string line = "result " + timeText(seconds) + " ";
  line += function;
  line += value ? " true" : " false";
  return line;
}

void installLineSink() {
  simdesk::Desktop::get().setLineSink([](std::string_view line) { writeLine(line); });
}

axtrack_callback hostCallback() { return &playHostCallback; }

void printResult(std::string_view function, bool value) {
  writeLine(resultLine(virtualNow(), function, value));
}

void printFinalState(const Plan& plan) {
  simdesk::Desktop& desktop = simdesk::Desktop::get();
  writeLine("pasteboard " + pasteboardJson(desktop.pasteboard()));
  for (const auto& id : plan.textElements) {
    std::optional<std::string> text = desktop.text(id);
    writeLine("text " + id + " " + (text ? compact(textValue(*text)) : std::string("null")));
  }
  std::optional<simdesk::Pid> front = desktop.frontmost();
  writeLine("frontmost " + (front ? std::to_string(*front) : std::string("null")));
  writeLine("activations " + activationsJson(desktop.activations()));
  writeLine("keys " + keysJson(desktop.keys()));
}

void flushOutput() { std::fflush(stdout); }

}  // namespace play
