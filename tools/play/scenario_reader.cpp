#include "scenario_reader.h"

#include <cstdint>
#include <map>
#include <set>
#include <utility>

#include "json/json.h"
#include "step_forms.h"

namespace play {
namespace {

using axt::json::Value;
using simdesk::Pid;

// --- the desktop's values ----------------------------------------------------

simdesk::AXError readErrorCode(const Value& v, const std::string& path) {
  return static_cast<simdesk::AXError>(readInteger(v, path, kInt32Min, kInt32Max));
}

const axt::json::Array& readArray(const Value& v, const std::string& path, std::size_t length,
                                  const char* shape) {
  const axt::json::Array* a = v.asArray();
  if (a == nullptr) wrongType(v, path, shape);
  if (a->size() != length) {
    fail(path, std::string("expected ") + shape + ", got " + std::to_string(a->size()) +
                   (a->size() == 1 ? " item" : " items"));
  }
  return *a;
}

simdesk::Point readPoint(const Value& v, const std::string& path) {
  const auto& a = readArray(v, path, 2, "[x, y]: 2 numbers");
  return {readNumber(a[0], itemPath(path, 0)), readNumber(a[1], itemPath(path, 1))};
}

simdesk::Size readSize(const Value& v, const std::string& path) {
  const auto& a = readArray(v, path, 2, "[width, height]: 2 numbers");
  return {readNumber(a[0], itemPath(path, 0)), readNumber(a[1], itemPath(path, 1))};
}

simdesk::Rect readRect(const Value& v, const std::string& path) {
  const auto& a = readArray(v, path, 4, "[x, y, width, height]: 4 numbers");
  simdesk::Rect r;
  r.origin = {readNumber(a[0], itemPath(path, 0)), readNumber(a[1], itemPath(path, 1))};
  r.size = {readNumber(a[2], itemPath(path, 2)), readNumber(a[3], itemPath(path, 3))};
  return r;
}

simdesk::Range readRangeFrom(const Value& v, const std::string& path, std::int64_t min) {
  const auto& a = readArray(v, path, 2, "[location, length]: 2 integers");
  return {readInteger(a[0], itemPath(path, 0), min, kInt64Max),
          readInteger(a[1], itemPath(path, 1), min, kInt64Max)};
}

// Selections and selected ranges can't be negative; a fixed attribute answer
// may be anything an application could return.
simdesk::Range readRange(const Value& v, const std::string& path) {
  return readRangeFrom(v, path, 0);
}
simdesk::Range readAnyRange(const Value& v, const std::string& path) {
  return readRangeFrom(v, path, kInt64Min);
}

std::vector<simdesk::PasteboardItem> readPasteboard(const Value& v, const std::string& path) {
  std::vector<simdesk::PasteboardItem> items;
  forEachItem(
      v, path, "an array of pasteboard items", [&](const Value& item, const std::string& at) {
        simdesk::PasteboardItem entry;
        forEachMember(item, at, "an object from type name to text",
                      [&](const std::string& type, const Value& data, const std::string& typePath) {
                        entry.types.emplace_back(type, readText(data, typePath));
                      });
        items.push_back(std::move(entry));
      });
  return items;
}

// --- the document ------------------------------------------------------------

class ScenarioReader;

const StepForms<StepArgs, ScenarioReader>& stepForms();

// The steps that only --desktop plays: a file that has them was written for
// the real desktop, and the fault says so rather than calling them unknown.
const std::set<std::string_view>& realDesktopSteps() {
  static const std::set<std::string_view> names = {"run"};
  return names;
}

class ScenarioReader {
 public:
  Plan read(const Value& root) {
    Fields top(root, "", {"trusted", "pasteboard", "pasteboard_writable", "host_windows", "apps", "steps"});
    top.readOptional("trusted", plan_.trusted, readBool);
    top.readOptional("pasteboard", plan_.pasteboard, readPasteboard);
    top.readOptional("pasteboard_writable", plan_.pasteboardWritable, readBool);
    if (const Value* v = top.get("host_windows")) readHostWindows(*v, top.path("host_windows"));
    if (const Value* v = top.get("apps")) readApps(*v, top.path("apps"));
    // Attribute values may name elements that come later in the file.
    for (const auto& [path, id] : deferredElements_) checkElement(id, path);
    deferredElements_.clear();
    elementsKnown_ = true;
    if (const Value* v = top.get("steps")) readSteps(*v, top.path("steps"));
    return std::move(plan_);
  }

  // --- references, used by the step parsers ----------------------------------

  std::string element(const Fields& f, std::string_view member) {
    std::string id = readText(f.require(member), f.path(member));
    checkElement(id, f.path(member));
    return id;
  }

  std::string window(const Value& v, const std::string& path) {
    std::string id = readText(v, path);
    if (windowIds_.count(id) == 0) fail(path, "unknown host window " + quoted(id));
    return id;
  }

  // The host application (pid 1) can be activated or launched like any
  // other, but neither made to quit nor to stop answering (it is the
  // process the library runs in): `hostCant` names what it can't do.
  Pid app(const Fields& f, std::string_view hostCant = {}) {
    std::string path = f.path("app");
    Pid pid = static_cast<Pid>(readInteger(f.require("app"), path, kInt32Min, kInt32Max));
    if (pid == simdesk::kHostPid && !hostCant.empty()) {
      fail(path, "the host application can't " + std::string(hostCant));
    }
    if (pid != simdesk::kHostPid && pids_.count(pid) == 0) {
      fail(path, "unknown application " + std::to_string(pid));
    }
    return pid;
  }

  simdesk::AttrValue attrValue(const Value& v, const std::string& path) {
    switch (v.kind()) {
      case Value::Kind::kNull:
        return simdesk::NoValue{};
      case Value::Kind::kBool:
        return *v.asBool();
      case Value::Kind::kInt:
        return *v.asInt();
      case Value::Kind::kDouble:
        return readNumber(v, path);
      case Value::Kind::kString:
        return *v.asString();
      case Value::Kind::kArray:
        break;
      case Value::Kind::kObject:
        return attrObject(*v.asObject(), path);
    }
    fail(path, "expected text, a number, a Boolean, null or an object such as {\"point\": [x, y]}");
  }

 private:
  simdesk::AttrValue attrObject(const axt::json::Object& o, const std::string& path) {
    if (o.size() != 1) {
      fail(path,
           "expected an object with one member: point, rect, range, size, element, opaque "
           "or error");
    }
    const auto& [kind, value] = *o.begin();
    std::string at = memberPath(path, kind);
    if (kind == "point") return readPoint(value, at);
    if (kind == "rect") return readRect(value, at);
    if (kind == "range") return readAnyRange(value, at);
    if (kind == "size") return readSize(value, at);
    if (kind == "opaque") return simdesk::Opaque{readText(value, at)};
    if (kind == "error") return simdesk::ErrorValue{readErrorCode(value, at)};
    if (kind == "element") {
      std::string id = readText(value, at);
      if (elementsKnown_) {
        checkElement(id, at);
      } else {
        deferredElements_.emplace_back(at, id);
      }
      return simdesk::ElementId{std::move(id)};
    }
    fail(at, "unknown member");
  }

  std::map<std::string, simdesk::AttrValue> attributes(const Value& v, const std::string& path) {
    std::map<std::string, simdesk::AttrValue> result;
    forEachMember(v, path, "an object from attribute name to value",
                  [&](const std::string& name, const Value& value, const std::string& at) {
                    result.emplace(name, attrValue(value, at));
                  });
    return result;
  }

  void checkElement(const std::string& id, const std::string& path) {
    if (elementOwner_.count(id) == 0) fail(path, "unknown element " + quoted(id));
  }

  void readHostWindows(const Value& v, const std::string& path) {
    forEachItem(v, path, "an array of windows", [&](const Value& item, const std::string& at) {
      Fields f(item, at, {"id", "frame", "content_view"});
      simdesk::HostWindowSpec w;
      w.id = readText(f.require("id"), f.path("id"));
      if (!windowIds_.insert(w.id).second)
        fail(f.path("id"), "duplicate window id " + quoted(w.id));
      f.readOptional("frame", w.frame, readRect);
      f.readOptional("content_view", w.contentView, readBool);
      plan_.hostWindows.push_back(std::move(w));
    });
  }

  void readApps(const Value& v, const std::string& path) {
    forEachItem(v, path, "an array of applications",
                [&](const Value& item, const std::string& at) { readApp(item, at); });
  }

  void readApp(const Value& v, const std::string& path) {
    Fields f(v, path,
             {"pid", "bundle_id", "name", "launched", "accessible", "keys", "focused", "attributes",
              "elements"});
    simdesk::AppSpec app;
    std::string pidPath = f.path("pid");
    app.pid = static_cast<Pid>(readInteger(f.require("pid"), pidPath, 1, kInt32Max));
    if (app.pid == simdesk::kHostPid) fail(pidPath, "pid 1 is taken by the host application");
    if (!pids_.insert(app.pid).second) fail(pidPath, "duplicate pid " + std::to_string(app.pid));
    f.readOptional("bundle_id", app.bundleId, readTextOrNull);
    f.readOptional("name", app.name, readTextOrNull);
    f.readOptional("launched", app.launched, readBool);
    f.readOptional("accessible", app.accessible, readBool);
    f.readOptional("keys", app.keys, readBool);
    if (const Value* m = f.get("attributes")) app.attributes = attributes(*m, f.path("attributes"));
    if (const Value* m = f.get("elements")) {
      forEachItem(*m, f.path("elements"), "an array of elements",
                  [&](const Value& item, const std::string& at) {
                    app.elements.push_back(readElement(item, at, app.pid));
                  });
    }
    if (const Value* m = f.get("focused")) {
      std::string at = f.path("focused");
      app.focused = readTextOrNull(*m, at);
      if (app.focused) {
        auto owner = elementOwner_.find(*app.focused);
        if (owner == elementOwner_.end()) fail(at, "unknown element " + quoted(*app.focused));
        if (owner->second != app.pid) {
          fail(at, "element " + quoted(*app.focused) + " belongs to another application");
        }
      }
    }
    plan_.apps.push_back(std::move(app));
  }

  simdesk::ElementSpec readElement(const Value& v, const std::string& path, Pid owner) {
    Fields f(v, path,
             {"id", "role", "text", "selection", "frame", "editable", "markers", "replaceable",
              "attributes", "errors"});
    simdesk::ElementSpec e;
    std::string idPath = f.path("id");
    e.id = readText(f.require("id"), idPath);
    if (e.id.empty()) fail(idPath, "an element id can't be empty");
    if (!elementOwner_.emplace(e.id, owner).second)
      fail(idPath, "duplicate element id " + quoted(e.id));
    f.readOptional("role", e.role, readTextOrNull);
    if (const Value* m = f.get("text")) {
      e.text = readText(*m, f.path("text"));
      plan_.textElements.push_back(e.id);
    }
    f.readOptional("selection", e.selection, readRange);
    f.readOptional("frame", e.frame, readRect);
    f.readOptional("editable", e.editable, readBool);
    f.readOptional("markers", e.markers, readBool);
    f.readOptional("replaceable", e.replaceable, readBool);
    if (const Value* m = f.get("attributes")) e.attributes = attributes(*m, f.path("attributes"));
    if (const Value* m = f.get("errors")) {
      forEachMember(*m, f.path("errors"), "an object from attribute name to error code",
                    [&](const std::string& name, const Value& code, const std::string& at) {
                      e.errors.emplace(name, readErrorCode(code, at));
                    });
    }
    return e;
  }

  void readSteps(const Value& v, const std::string& path) {
    double previous = 0;
    forEachItem(v, path, "an array of steps", [&](const Value& item, const std::string& at) {
      std::string name = readStepName(item, at);
      auto form = stepForms().find(name);
      if (form == stepForms().end()) {
        if (realDesktopSteps().count(name) != 0) {
          fail(memberPath(at, "do"),
               "the step " + quoted(name) + " plays on the real desktop: use --desktop");
        }
        fail(memberPath(at, "do"), "unknown step " + quoted(name));
      }
      Fields f = stepFields(item, at, form->second.members);
      Step step;
      step.name = std::move(name);
      step.at = readStepTime(f, previous);
      previous = step.at;
      step.args = form->second.parse(f, *this);
      plan_.steps.push_back(std::move(step));
    });
  }

  Plan plan_;
  std::map<std::string, Pid> elementOwner_;
  std::set<Pid> pids_;
  std::set<std::string> windowIds_;
  std::vector<std::pair<std::string, std::string>> deferredElements_;  // (path, id)
  bool elementsKnown_ = false;
};

// --- the steps ---------------------------------------------------------------

StepArgs noArgs(const Fields&, ScenarioReader&) { return NoArgs{}; }

StepArgs mouseTrackerArgs(const Fields& f, ScenarioReader& r) {
  const Value* window = f.get("window");
  const Value* other = f.get("not_a_window");
  bool notAWindow = other != nullptr && readBool(*other, f.path("not_a_window"));
  if (window && notAWindow)
    fail(f.path("not_a_window"), "give either \"window\" or \"not_a_window\"");
  if (notAWindow) return MouseTrackerArgs{};
  if (window == nullptr)
    fail(f.path("window"), "required member missing (or \"not_a_window\": true)");
  return MouseTrackerArgs{r.window(*window, f.path("window"))};
}

StepArgs activateArgs(const Fields& f, ScenarioReader& r) { return AppArgs{r.app(f)}; }
StepArgs quitArgs(const Fields& f, ScenarioReader& r) { return AppArgs{r.app(f, "quit")}; }
StepArgs stopAnsweringArgs(const Fields& f, ScenarioReader& r) { return AppArgs{r.app(f, "stop answering")}; }

StepArgs launchArgs(const Fields& f, ScenarioReader& r) {
  LaunchArgs args;
  args.pid = r.app(f);
  f.readOptional("finished", args.finished, readBool);
  return args;
}

StepArgs elementArgs(const Fields& f, ScenarioReader& r) {
  return ElementArgs{r.element(f, "element")};
}

StepArgs selectArgs(const Fields& f, ScenarioReader& r) {
  SelectArgs args;
  args.element = r.element(f, "element");
  args.range = readRange(f.require("range"), f.path("range"));
  return args;
}

std::uint32_t readUint32(const Value& v, const std::string& path) {
  return static_cast<std::uint32_t>(readInteger(v, path, 0, kUint32Max));
}

StepArgs hotKeyArgs(const Fields& f, ScenarioReader&) {
  HotKeyArgs args;
  f.readOptional("code", args.code, readUint32);
  f.readOptional("modifiers", args.modifiers, readUint32);
  return args;
}

StepArgs pointerArgs(const Fields& f, ScenarioReader&) {
  return PointerArgs{readPoint(f.require("point"), f.path("point"))};
}

StepArgs hostWindowFrameArgs(const Fields& f, ScenarioReader& r) {
  HostWindowFrameArgs args;
  args.window = r.window(f.require("window"), f.path("window"));
  args.frame = readRect(f.require("frame"), f.path("frame"));
  return args;
}

StepArgs copyArgs(const Fields& f, ScenarioReader&) {
  return CopyArgs{readPasteboard(f.require("items"), f.path("items"))};
}

StepArgs setArgs(const Fields& f, ScenarioReader& r) {
  SetArgs args;
  args.element = r.element(f, "element");
  args.attribute = readText(f.require("attribute"), f.path("attribute"));
  args.value = r.attrValue(f.require("value"), f.path("value"));
  return args;
}

StepArgs setErrorArgs(const Fields& f, ScenarioReader& r) {
  SetErrorArgs args;
  args.element = r.element(f, "element");
  args.attribute = readText(f.require("attribute"), f.path("attribute"));
  args.code = readErrorCode(f.require("code"), f.path("code"));
  return args;
}

const StepForms<StepArgs, ScenarioReader>& stepForms() {
  static const StepForms<StepArgs, ScenarioReader> forms = [] {
    auto m = hostCallForms<StepArgs, ScenarioReader>();
    m.insert({
        {"addMouseTracker", {{"window", "not_a_window"}, mouseTrackerArgs}},
        // The user and the desktop.
        {"activate", {{"app"}, activateArgs}},
        {"launch", {{"app", "finished"}, launchArgs}},
        {"quit", {{"app"}, quitArgs}},
        {"stop_answering", {{"app"}, stopAnsweringArgs}},
        {"answer_again", {{"app"}, stopAnsweringArgs}},
        {"notify_without_app", {{}, noArgs}},
        {"focus", {{"element"}, elementArgs}},
        {"select", {{"element", "range"}, selectArgs}},
        {"move_window", {{"element"}, elementArgs}},
        {"resize_window", {{"element"}, elementArgs}},
        {"hotkey", {{"code", "modifiers"}, hotKeyArgs}},
        {"pointer", {{"point"}, pointerArgs}},
        {"resize_host_window", {{"window", "frame"}, hostWindowFrameArgs}},
        {"copy", {{"items"}, copyArgs}},
        {"set", {{"element", "attribute", "value"}, setArgs}},
        {"set_error", {{"element", "attribute", "code"}, setErrorArgs}},
    });
    return m;
  }();
  return forms;
}

Plan readPlan(const Value& root) { return ScenarioReader().read(root); }

}  // namespace

ReadResult readScenario(std::string_view text) { return readDocument<Plan>(text, readPlan); }

ReadResult readScenarioFile(const std::string& path) {
  return readDocumentFile<Plan>(path, readPlan);
}

}  // namespace play
