#include "desktop_scenario.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <utility>

#include "json/json.h"
#include "json_fields.h"
#include "step_forms.h"

namespace play {
namespace {

using axt::json::Value;

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
  static const std::set<std::string_view> names = {"trusted", "pasteboard", "pasteboard_writable", "host_windows",
                                                   "apps"};
  return names;
}

// The steps in which the simulated desktop plays the user or changes itself.
const std::set<std::string_view>& simulatedSteps() {
  static const std::set<std::string_view> names = {
      "activate",      "launch", "quit",    "notify_without_app", "focus", "select", "move_window",
      "resize_window", "hotkey", "pointer", "resize_host_window", "copy",  "set",    "set_error",
      "stop_answering", "answer_again"};
  return names;
}

// --- the steps ---------------------------------------------------------------

// Each step of a desktop file stands alone: there is nothing described
// for it to name, so the reader keeps no state.
struct DesktopReader {};

DesktopStepArgs windowArgs(const Fields& f, DesktopReader&) {
  return X11WindowArgs{readWindowId(f.require("window"), f.path("window"))};
}

DesktopStepArgs commandArgs(const Fields& f, DesktopReader&) {
  std::string at = f.path("command");
  CommandArgs args;
  forEachItem(f.require("command"), at, "an array of texts: the program and its arguments",
              [&](const Value& item, const std::string& itemAt) {
                std::string text = readText(item, itemAt);
                // The argument vector is handed over as C strings: a NUL
                // would silently cut the argument short.
                if (text.find('\0') != std::string::npos) fail(itemAt, "text with a NUL character");
                args.argv.push_back(std::move(text));
              });
  if (args.argv.empty()) fail(at, "the command is empty: name at least the program");
  if (args.argv.front().empty()) fail(itemPath(at, 0), "the program name is empty");
  return args;
}

const StepForms<DesktopStepArgs, DesktopReader>& stepForms() {
  static const StepForms<DesktopStepArgs, DesktopReader> forms = [] {
    auto m = hostCallForms<DesktopStepArgs, DesktopReader>();
    m.insert({
        {"addMouseTracker", {{"window"}, windowArgs}},
        // The user, played by a command.
        {"run", {{"command"}, commandArgs}},
    });
    return m;
  }();
  return forms;
}

DesktopStep readStep(const Value& item, const std::string& at, double previous) {
  std::string name = readStepName(item, at);
  auto form = stepForms().find(name);
  if (form == stepForms().end()) {
    std::string namePath = memberPath(at, "do");
    if (simulatedSteps().count(name) != 0) {
      fail(namePath, "the step " + quoted(name) +
                         " acts on the simulated desktop; with --desktop the user's actions are "
                         "commands: {\"do\": \"run\", \"command\": [\"xdotool\", ...]}");
    }
    fail(namePath, "unknown step " + quoted(name));
  }
  Fields f = stepFields(item, at, form->second.members);
  DesktopStep step;
  step.name = std::move(name);
  step.where = at;
  step.at = readStepTime(f, previous);
  DesktopReader reader;
  step.args = form->second.parse(f, reader);
  return step;
}

DesktopPlan readPlan(const Value& root) {
  forEachMember(root, "", "an object",
                [](const std::string& name, const Value&, const std::string& path) {
                  if (simulatedMembers().count(name) != 0) {
                    fail(path, "describes the simulated desktop; --desktop plays on the real one");
                  }
                  if (name != "steps") fail(path, "unknown member");
                });
  DesktopPlan plan;
  const Value* steps = root.find("steps");
  if (steps == nullptr) return plan;
  double previous = 0;
  forEachItem(*steps, "steps", "an array of steps", [&](const Value& item, const std::string& at) {
    plan.steps.push_back(readStep(item, at, previous));
    previous = plan.steps.back().at;
  });
  return plan;
}

}  // namespace

DesktopReadResult readDesktopScenarioFile(const std::string& path) {
  return readDocumentFile<DesktopPlan>(path, readPlan);
}

}  // namespace play
