#include "desktop_scenario.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "json/json.h"

namespace play {
namespace {

using axt::json::Value;

// The first fault found ends the reading; it travels up as this exception
// and becomes a ReadError at the entry point below. Messages and positions
// read as those of the simulated player, so both modes speak alike.
struct Invalid {
  std::string position;
  std::string message;
};

[[noreturn]] void fail(const std::string& path, std::string message) {
  throw Invalid{path.empty() ? std::string("top level") : path, std::move(message)};
}

std::string quoted(std::string_view text) {
  return axt::json::write(Value(text), axt::json::WriteOptions{.escapeSlash = false});
}

std::string numberText(double d) {
  return axt::json::write(Value(d), axt::json::WriteOptions{.escapeSlash = false});
}

bool plainName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

std::string memberPath(const std::string& path, std::string_view name) {
  if (!plainName(name)) return path + "[" + quoted(name) + "]";
  if (path.empty()) return std::string(name);
  return path + "." + std::string(name);
}

std::string itemPath(const std::string& path, std::size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

const char* kindName(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::kNull:
      return "null";
    case Value::Kind::kBool:
      return "a Boolean";
    case Value::Kind::kInt:
    case Value::Kind::kDouble:
      return "a number";
    case Value::Kind::kString:
      return "text";
    case Value::Kind::kArray:
      return "an array";
    case Value::Kind::kObject:
      return "an object";
  }
  return "a value";
}

[[noreturn]] void wrongType(const Value& v, const std::string& path, const char* expected) {
  fail(path, std::string("expected ") + expected + ", got " + kindName(v));
}

const axt::json::Object& readObject(const Value& v, const std::string& path) {
  const axt::json::Object* o = v.asObject();
  if (o == nullptr) wrongType(v, path, "an object");
  return *o;
}

const Value* member(const axt::json::Object& o, std::string_view name) {
  auto it = o.find(name);
  return it == o.end() ? nullptr : &it->second;
}

const Value& required(const axt::json::Object& o, const std::string& path, std::string_view name) {
  const Value* v = member(o, name);
  if (v == nullptr) fail(memberPath(path, name), "required member missing");
  return *v;
}

void onlyMembers(const axt::json::Object& o, const std::string& path,
                 const std::set<std::string_view>& allowed) {
  for (const auto& [name, value] : o) {
    if (allowed.count(name) == 0) fail(memberPath(path, name), "unknown member");
  }
}

bool readBool(const Value& v, const std::string& path) {
  const bool* b = v.asBool();
  if (b == nullptr) wrongType(v, path, "a Boolean");
  return *b;
}

std::string readText(const Value& v, const std::string& path) {
  const std::string* s = v.asString();
  if (s == nullptr) wrongType(v, path, "text");
  return *s;
}

double readNumber(const Value& v, const std::string& path) {
  std::optional<double> d = v.number();
  if (!d) wrongType(v, path, "a number");
  if (!std::isfinite(*d)) fail(path, "number out of range");
  return *d;
}

// X11 resource ids are 32-bit. A fraction or a value outside that range
// can't name a window, so it is a fault rather than something to round.
std::uint32_t readWindowId(const Value& v, const std::string& path) {
  constexpr double kMax = std::numeric_limits<std::uint32_t>::max();
  double id = 0;
  if (const std::int64_t* i = v.asInt()) {
    id = static_cast<double>(*i);
  } else if (const double* d = v.asDouble()) {
    id = *d;
  } else {
    wrongType(v, path, "an X11 window id (an integer)");
  }
  if (!(std::trunc(id) == id && id >= 0 && id <= kMax)) {
    fail(path, "expected an X11 window id from 0 to 4294967295, got " + numberText(id));
  }
  return static_cast<std::uint32_t>(id);
}

// The members that lay out the simulated desktop. The real desktop is what
// it is, so each of them is a fault with a message saying why.
const std::set<std::string_view>& simulatedMembers() {
  static const std::set<std::string_view> names = {"trusted", "pasteboard", "host_windows", "apps"};
  return names;
}

// The steps in which the simulated desktop plays the user or changes itself.
const std::set<std::string_view>& simulatedSteps() {
  static const std::set<std::string_view> names = {
      "activate",      "launch", "quit",    "notify_without_app", "focus", "select", "move_window",
      "resize_window", "hotkey", "pointer", "resize_host_window", "copy",  "set",    "set_error"};
  return names;
}

// --- the steps ----------------------------------------------------------------

using StepParser = DesktopStepArgs (*)(const axt::json::Object&, const std::string&);

struct StepForm {
  std::set<std::string_view> members;  // besides "at" and "do"
  StepParser parse;
};

DesktopStepArgs noArgs(const axt::json::Object&, const std::string&) { return NoArgs{}; }

DesktopStepArgs initArgs(const axt::json::Object& o, const std::string& path) {
  InitArgs args;
  if (const Value* v = member(o, "callback"))
    args.callback = readBool(*v, memberPath(path, "callback"));
  return args;
}

DesktopStepArgs startArgs(const axt::json::Object& o, const std::string& path) {
  const Value* config = member(o, "config");
  const Value* text = member(o, "config_text");
  if (config && text)
    fail(memberPath(path, "config_text"), "give either \"config\" or \"config_text\"");
  StartArgs args{"{}"};
  if (config) {
    args.configuration = axt::json::write(*config, axt::json::WriteOptions{.escapeSlash = false});
  }
  if (text) args.configuration = readText(*text, memberPath(path, "config_text"));
  return args;
}

DesktopStepArgs textArgs(const axt::json::Object& o, const std::string& path) {
  return TextArgs{readText(required(o, path, "text"), memberPath(path, "text"))};
}

DesktopStepArgs windowArgs(const axt::json::Object& o, const std::string& path) {
  return X11WindowArgs{readWindowId(required(o, path, "window"), memberPath(path, "window"))};
}

DesktopStepArgs commandArgs(const axt::json::Object& o, const std::string& path) {
  std::string at = memberPath(path, "command");
  const Value& v = required(o, path, "command");
  const axt::json::Array* items = v.asArray();
  if (items == nullptr) wrongType(v, at, "an array of texts: the program and its arguments");
  if (items->empty()) fail(at, "the command is empty: name at least the program");
  CommandArgs args;
  for (std::size_t i = 0; i < items->size(); ++i) {
    std::string item = readText((*items)[i], itemPath(at, i));
    // The argument vector is handed over as C strings: a NUL would silently
    // cut the argument short.
    if (item.find('\0') != std::string::npos) fail(itemPath(at, i), "text with a NUL character");
    args.argv.push_back(std::move(item));
  }
  if (args.argv.front().empty()) fail(itemPath(at, 0), "the program name is empty");
  return args;
}

const std::map<std::string_view, StepForm>& stepForms() {
  static const std::map<std::string_view, StepForm> forms = {
      {"initMacAccessibility", {{"callback"}, initArgs}},
      {"start", {{"config", "config_text"}, startArgs}},
      {"setText", {{"text"}, textArgs}},
      {"focusPreiov", {{}, noArgs}},
      {"addMouseTracker", {{"window"}, windowArgs}},
      {"isAccessibiltyEnabled", {{}, noArgs}},
      {"showAccessibiltyPermisionPopup", {{}, noArgs}},
      {"main", {{}, noArgs}},
      {"run", {{"command"}, commandArgs}},
  };
  return forms;
}

DesktopStep readStep(const Value& item, const std::string& at, double previous) {
  const axt::json::Object& o = readObject(item, at);
  std::string namePath = memberPath(at, "do");
  std::string name = readText(required(o, at, "do"), namePath);
  auto form = stepForms().find(name);
  if (form == stepForms().end()) {
    if (simulatedSteps().count(name) != 0) {
      fail(namePath, "the step " + quoted(name) +
                         " acts on the simulated desktop; with --desktop the user's actions are "
                         "commands: {\"do\": \"run\", \"command\": [\"xdotool\", ...]}");
    }
    fail(namePath, "unknown step " + quoted(name));
  }
  std::set<std::string_view> allowed = form->second.members;
  allowed.insert("at");
  allowed.insert("do");
  onlyMembers(o, at, allowed);

  DesktopStep step;
  step.name = std::move(name);
  step.where = at;
  std::string atPath = memberPath(at, "at");
  step.at = readNumber(required(o, at, "at"), atPath);
  if (step.at < 0) fail(atPath, "a time can't be negative");
  if (step.at < previous) {
    fail(atPath,
         numberText(step.at) + " is earlier than the step before (" + numberText(previous) + ")");
  }
  step.args = form->second.parse(o, at);
  return step;
}

DesktopPlan readPlan(const Value& root) {
  const axt::json::Object& top = readObject(root, "");
  for (const auto& [name, value] : top) {
    if (simulatedMembers().count(name) != 0) {
      fail(memberPath("", name),
           "describes the simulated desktop; --desktop plays on the real one");
    }
    if (name != "steps") fail(memberPath("", name), "unknown member");
  }
  DesktopPlan plan;
  const Value* steps = member(top, "steps");
  if (steps == nullptr) return plan;
  const axt::json::Array* items = steps->asArray();
  if (items == nullptr) wrongType(*steps, "steps", "an array of steps");
  double previous = 0;
  for (std::size_t i = 0; i < items->size(); ++i) {
    plan.steps.push_back(readStep((*items)[i], itemPath("steps", i), previous));
    previous = plan.steps.back().at;
  }
  return plan;
}

}  // namespace

DesktopReadResult readDesktopScenario(std::string_view text) {
  axt::json::ParseOptions options;
  options.requireContainer = true;
  axt::json::ParseResult parsed = axt::json::parse(text, options);
  if (!parsed) return ReadError{"", parsed.error.description()};
  try {
    return readPlan(*parsed.value);
  } catch (const Invalid& e) {
    return ReadError{e.position, e.message};
  }
}

DesktopReadResult readDesktopScenarioFile(const std::string& path) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
  if (!file) return ReadError{"", std::string("can't open: ") + std::strerror(errno)};
  std::string text;
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, n);
  if (std::ferror(file.get())) {
    return ReadError{"", std::string("can't read: ") + std::strerror(errno)};
  }
  return readDesktopScenario(text);
}

}  // namespace play
