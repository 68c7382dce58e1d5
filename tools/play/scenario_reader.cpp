#include "scenario_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <utility>

#include "json/json.h"

namespace play {
namespace {

using axt::json::Value;
using simdesk::Pid;

// The first fault found ends the reading; it travels up as this exception
// and is turned into a ReadError at the one entry point below.
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

// Member names that can stand after a dot; any other name is written as a
// quoted subscript so the position stays unambiguous and on one line.
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

// An object whose members must all be among the allowed ones: a misspelt
// member is an error, not a silently ignored default.
class Fields {
 public:
  Fields(const Value& value, std::string path, std::initializer_list<std::string_view> allowed)
      : Fields(value, std::move(path), std::set<std::string_view>(allowed)) {}

  Fields(const Value& value, std::string path, const std::set<std::string_view>& allowed)
      : path_(std::move(path)) {
    object_ = value.asObject();
    if (object_ == nullptr) wrongType(value, path_, "an object");
    for (const auto& [name, member] : *object_) {
      if (allowed.count(name) == 0) fail(memberPath(path_, name), "unknown member");
    }
  }

  const Value* get(std::string_view name) const {
    auto it = object_->find(name);
    return it == object_->end() ? nullptr : &it->second;
  }

  const Value& require(std::string_view name) const {
    const Value* v = get(name);
    if (v == nullptr) fail(path(name), "required member missing");
    return *v;
  }

  std::string path(std::string_view name) const { return memberPath(path_, name); }
  const std::string& path() const { return path_; }

 private:
  const axt::json::Object* object_ = nullptr;
  std::string path_;
};

// --- plain values -----------------------------------------------------------

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

std::optional<std::string> readTextOrNull(const Value& v, const std::string& path) {
  if (v.isNull()) return std::nullopt;
  const std::string* s = v.asString();
  if (s == nullptr) wrongType(v, path, "text or null");
  return *s;
}

double readNumber(const Value& v, const std::string& path) {
  std::optional<double> d = v.number();
  if (!d) wrongType(v, path, "a number");
  if (!std::isfinite(*d)) fail(path, "number out of range");
  return *d;
}

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kUint32Max = std::numeric_limits<std::uint32_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

std::int64_t readInteger(const Value& v, const std::string& path, std::int64_t min,
                         std::int64_t max) {
  std::int64_t result = 0;
  if (const std::int64_t* i = v.asInt()) {
    result = *i;
  } else if (const double* d = v.asDouble()) {
    // 1e3 is an integer too; anything with a fraction or too large is not.
    if (!(std::isfinite(*d) && std::trunc(*d) == *d && *d >= -9.2e18 && *d <= 9.2e18)) {
      fail(path, "expected an integer, got " + numberText(*d));
    }
    result = static_cast<std::int64_t>(*d);
  } else {
    wrongType(v, path, "an integer");
  }
  if (result < min || result > max) {
    if (min == 0 && max == kInt64Max) {
      fail(path, "expected a non-negative integer, got " + std::to_string(result));
    }
    fail(path, "expected an integer from " + std::to_string(min) + " to " + std::to_string(max) +
                   ", got " + std::to_string(result));
  }
  return result;
}

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

// Selections and selected ranges can't be negative; a fixed attribute answer
// may be anything an application could return.
simdesk::Range readRange(const Value& v, const std::string& path, bool allowNegative = false) {
  const auto& a = readArray(v, path, 2, "[location, length]: 2 integers");
  std::int64_t min = allowNegative ? kInt64Min : 0;
  return {readInteger(a[0], itemPath(path, 0), min, kInt64Max),
          readInteger(a[1], itemPath(path, 1), min, kInt64Max)};
}

std::vector<simdesk::PasteboardItem> readPasteboard(const Value& v, const std::string& path) {
  const axt::json::Array* a = v.asArray();
  if (a == nullptr) wrongType(v, path, "an array of pasteboard items");
  std::vector<simdesk::PasteboardItem> items;
  for (std::size_t i = 0; i < a->size(); ++i) {
    std::string at = itemPath(path, i);
    const axt::json::Object* o = (*a)[i].asObject();
    if (o == nullptr) wrongType((*a)[i], at, "an object from type name to text");
    simdesk::PasteboardItem item;
    for (const auto& [type, data] : *o) {
      item.types.emplace_back(type, readText(data, memberPath(at, type)));
    }
    items.push_back(std::move(item));
  }
  return items;
}

// --- the document -------------------------------------------------------------

class ScenarioReader;
using StepParser = StepArgs (*)(const Fields&, ScenarioReader&);

struct StepForm {
  std::string_view name;
  std::vector<std::string_view> members;  // besides "at" and "do"
  StepParser parse;
};

const std::map<std::string_view, StepForm>& stepForms();

class ScenarioReader {
 public:
  Plan read(const Value& root) {
    Fields top(root, "", {"trusted", "pasteboard", "host_windows", "apps", "steps"});
    if (const Value* v = top.get("trusted")) plan_.trusted = readBool(*v, top.path("trusted"));
    if (const Value* v = top.get("pasteboard")) {
      plan_.pasteboard = readPasteboard(*v, top.path("pasteboard"));
    }
    if (const Value* v = top.get("host_windows")) readHostWindows(*v, top.path("host_windows"));
    if (const Value* v = top.get("apps")) readApps(*v, top.path("apps"));
    // Attribute values may name elements that come later in the file.
    for (const auto& [path, id] : deferredElements_) checkElement(id, path);
    deferredElements_.clear();
    elementsKnown_ = true;
    if (const Value* v = top.get("steps")) readSteps(*v, top.path("steps"));
    return std::move(plan_);
  }

  // --- references, used by the step parsers --------------------------------

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
  // other, but not made to quit: `hostAllowed` is false for "quit".
  Pid app(const Fields& f, bool hostAllowed) {
    std::string path = f.path("app");
    Pid pid = static_cast<Pid>(readInteger(f.require("app"), path, kInt32Min, kInt32Max));
    if (pid == simdesk::kHostPid && !hostAllowed) fail(path, "the host application can't quit");
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
    if (kind == "range") return readRange(value, at, /*allowNegative=*/true);
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
    const axt::json::Object* o = v.asObject();
    if (o == nullptr) wrongType(v, path, "an object from attribute name to value");
    std::map<std::string, simdesk::AttrValue> result;
    for (const auto& [name, value] : *o)
      result.emplace(name, attrValue(value, memberPath(path, name)));
    return result;
  }

  void checkElement(const std::string& id, const std::string& path) {
    if (elementOwner_.count(id) == 0) fail(path, "unknown element " + quoted(id));
  }

  void readHostWindows(const Value& v, const std::string& path) {
    const axt::json::Array* a = v.asArray();
    if (a == nullptr) wrongType(v, path, "an array of windows");
    for (std::size_t i = 0; i < a->size(); ++i) {
      Fields f((*a)[i], itemPath(path, i), {"id", "frame", "content_view"});
      simdesk::HostWindowSpec w;
      w.id = readText(f.require("id"), f.path("id"));
      if (!windowIds_.insert(w.id).second)
        fail(f.path("id"), "duplicate window id " + quoted(w.id));
      if (const Value* m = f.get("frame")) w.frame = readRect(*m, f.path("frame"));
      if (const Value* m = f.get("content_view"))
        w.contentView = readBool(*m, f.path("content_view"));
      plan_.hostWindows.push_back(std::move(w));
    }
  }

  void readApps(const Value& v, const std::string& path) {
    const axt::json::Array* a = v.asArray();
    if (a == nullptr) wrongType(v, path, "an array of applications");
    for (std::size_t i = 0; i < a->size(); ++i) readApp((*a)[i], itemPath(path, i));
  }

  void readApp(const Value& v, const std::string& path) {
    Fields f(v, path,
             {"pid", "bundle_id", "name", "launched", "accessible", "focused", "attributes",
              "elements"});
    simdesk::AppSpec app;
    std::string pidPath = f.path("pid");
    app.pid = static_cast<Pid>(readInteger(f.require("pid"), pidPath, 1, kInt32Max));
    if (app.pid == simdesk::kHostPid) fail(pidPath, "pid 1 is taken by the host application");
    if (!pids_.insert(app.pid).second) fail(pidPath, "duplicate pid " + std::to_string(app.pid));
    if (const Value* m = f.get("bundle_id")) app.bundleId = readTextOrNull(*m, f.path("bundle_id"));
    if (const Value* m = f.get("name")) app.name = readTextOrNull(*m, f.path("name"));
    if (const Value* m = f.get("launched")) app.launched = readBool(*m, f.path("launched"));
    if (const Value* m = f.get("accessible")) app.accessible = readBool(*m, f.path("accessible"));
    if (const Value* m = f.get("attributes")) app.attributes = attributes(*m, f.path("attributes"));
    if (const Value* m = f.get("elements")) {
      std::string at = f.path("elements");
      const axt::json::Array* list = m->asArray();
      if (list == nullptr) wrongType(*m, at, "an array of elements");
      for (std::size_t i = 0; i < list->size(); ++i) {
        app.elements.push_back(readElement((*list)[i], itemPath(at, i), app.pid));
      }
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
             {"id", "role", "text", "selection", "frame", "editable", "markers", "attributes",
              "errors"});
    simdesk::ElementSpec e;
    std::string idPath = f.path("id");
    e.id = readText(f.require("id"), idPath);
    if (e.id.empty()) fail(idPath, "an element id can't be empty");
    if (!elementOwner_.emplace(e.id, owner).second)
      fail(idPath, "duplicate element id " + quoted(e.id));
    if (const Value* m = f.get("role")) e.role = readTextOrNull(*m, f.path("role"));
    if (const Value* m = f.get("text")) {
      e.text = readText(*m, f.path("text"));
      plan_.textElements.push_back(e.id);
    }
    if (const Value* m = f.get("selection")) e.selection = readRange(*m, f.path("selection"));
    if (const Value* m = f.get("frame")) e.frame = readRect(*m, f.path("frame"));
    if (const Value* m = f.get("editable")) e.editable = readBool(*m, f.path("editable"));
    if (const Value* m = f.get("markers")) e.markers = readBool(*m, f.path("markers"));
    if (const Value* m = f.get("attributes")) e.attributes = attributes(*m, f.path("attributes"));
    if (const Value* m = f.get("errors")) {
      std::string at = f.path("errors");
      const axt::json::Object* o = m->asObject();
      if (o == nullptr) wrongType(*m, at, "an object from attribute name to error code");
      for (const auto& [name, code] : *o)
        e.errors.emplace(name, readErrorCode(code, memberPath(at, name)));
    }
    return e;
  }

  void readSteps(const Value& v, const std::string& path) {
    const axt::json::Array* a = v.asArray();
    if (a == nullptr) wrongType(v, path, "an array of steps");
    double previous = 0;
    for (std::size_t i = 0; i < a->size(); ++i) {
      std::string at = itemPath(path, i);
      const Value& item = (*a)[i];
      if (!item.isObject()) wrongType(item, at, "an object");
      const Value* name = item.find("do");
      if (name == nullptr) fail(memberPath(at, "do"), "required member missing");
      std::string stepName = readText(*name, memberPath(at, "do"));
      auto form = stepForms().find(stepName);
      if (form == stepForms().end()) fail(memberPath(at, "do"), "unknown step " + quoted(stepName));

      std::set<std::string_view> allowed(form->second.members.begin(), form->second.members.end());
      allowed.insert("at");
      allowed.insert("do");
      Fields f(item, at, allowed);
      Step step;
      step.name = std::move(stepName);
      step.at = readNumber(f.require("at"), f.path("at"));
      if (step.at < 0) fail(f.path("at"), "a time can't be negative");
      if (step.at < previous) {
        fail(f.path("at"), numberText(step.at) + " is earlier than the step before (" +
                               numberText(previous) + ")");
      }
      previous = step.at;
      step.args = form->second.parse(f, *this);
      plan_.steps.push_back(std::move(step));
    }
  }

  Plan plan_;
  std::map<std::string, Pid> elementOwner_;
  std::set<Pid> pids_;
  std::set<std::string> windowIds_;
  std::vector<std::pair<std::string, std::string>> deferredElements_;  // (path, id)
  bool elementsKnown_ = false;
};

// --- the steps ----------------------------------------------------------------

StepArgs noArgs(const Fields&, ScenarioReader&) { return NoArgs{}; }

StepArgs initArgs(const Fields& f, ScenarioReader&) {
  InitArgs args;
  if (const Value* v = f.get("callback")) args.callback = readBool(*v, f.path("callback"));
  return args;
}

StepArgs startArgs(const Fields& f, ScenarioReader&) {
  const Value* config = f.get("config");
  const Value* text = f.get("config_text");
  if (config && text) fail(f.path("config_text"), "give either \"config\" or \"config_text\"");
  StartArgs args{"{}"};
  if (config)
    args.configuration = axt::json::write(*config, axt::json::WriteOptions{.escapeSlash = false});
  if (text) args.configuration = readText(*text, f.path("config_text"));
  return args;
}

StepArgs textArgs(const Fields& f, ScenarioReader&) {
  return TextArgs{readText(f.require("text"), f.path("text"))};
}

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

StepArgs activateArgs(const Fields& f, ScenarioReader& r) { return AppArgs{r.app(f, true)}; }
StepArgs quitArgs(const Fields& f, ScenarioReader& r) { return AppArgs{r.app(f, false)}; }

StepArgs launchArgs(const Fields& f, ScenarioReader& r) {
  LaunchArgs args;
  args.pid = r.app(f, true);
  if (const Value* v = f.get("finished")) args.finished = readBool(*v, f.path("finished"));
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

StepArgs hotKeyArgs(const Fields& f, ScenarioReader&) {
  HotKeyArgs args;
  if (const Value* v = f.get("code")) {
    args.code = static_cast<std::uint32_t>(readInteger(*v, f.path("code"), 0, kUint32Max));
  }
  if (const Value* v = f.get("modifiers")) {
    args.modifiers =
        static_cast<std::uint32_t>(readInteger(*v, f.path("modifiers"), 0, kUint32Max));
  }
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

const std::map<std::string_view, StepForm>& stepForms() {
  static const std::map<std::string_view, StepForm> forms = [] {
    std::map<std::string_view, StepForm> m;
    auto add = [&m](StepForm form) { m.emplace(form.name, form); };
    // The host's calls.
    add({"initMacAccessibility", {"callback"}, initArgs});
    add({"start", {"config", "config_text"}, startArgs});
    add({"setText", {"text"}, textArgs});
    add({"focusPreiov", {}, noArgs});
    add({"addMouseTracker", {"window", "not_a_window"}, mouseTrackerArgs});
    add({"isAccessibiltyEnabled", {}, noArgs});
    add({"showAccessibiltyPermisionPopup", {}, noArgs});
    add({"main", {}, noArgs});
    // The user and the desktop.
    add({"activate", {"app"}, activateArgs});
    add({"launch", {"app", "finished"}, launchArgs});
    add({"quit", {"app"}, quitArgs});
    add({"notify_without_app", {}, noArgs});
    add({"focus", {"element"}, elementArgs});
    add({"select", {"element", "range"}, selectArgs});
    add({"move_window", {"element"}, elementArgs});
    add({"resize_window", {"element"}, elementArgs});
    add({"hotkey", {"code", "modifiers"}, hotKeyArgs});
    add({"pointer", {"point"}, pointerArgs});
    add({"resize_host_window", {"window", "frame"}, hostWindowFrameArgs});
    add({"copy", {"items"}, copyArgs});
    add({"set", {"element", "attribute", "value"}, setArgs});
    add({"set_error", {"element", "attribute", "code"}, setErrorArgs});
    return m;
  }();
  return forms;
}

}  // namespace

ReadResult readScenario(std::string_view text) {
  axt::json::ParseOptions options;
  options.requireContainer = true;
  axt::json::ParseResult parsed = axt::json::parse(text, options);
  if (!parsed) return ReadError{"", parsed.error.description()};
  try {
    return ScenarioReader().read(*parsed.value);
  } catch (const Invalid& e) {
    return ReadError{e.position, e.message};
  }
}

ReadResult readScenarioFile(const std::string& path) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
  if (!file) return ReadError{"", std::string("can't open: ") + std::strerror(errno)};
  std::string text;
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, n);
  if (std::ferror(file.get()))
    return ReadError{"", std::string("can't read: ") + std::strerror(errno)};
  return readScenario(text);
}

}  // namespace play
