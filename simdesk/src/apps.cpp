#include "apps.h"

#include "utf16_text.h"

namespace simdesk::detail {

namespace {

SimElement makeElement(const ElementSpec& given, Pid pid) {
  SimElement e;
  e.id = given.id;
  e.pid = pid;
  e.role = given.role;
  e.text = given.text;
  e.frame = given.frame;
  const bool textRole = given.role == "AXTextField" || given.role == "AXTextArea";
  e.editable = given.editable.value_or(textRole);
  e.replaceable = given.replaceable.value_or(false);
  e.markers = given.markers.value_or(given.role == "AXStaticText");
  e.attributes = given.attributes;
  e.errors = given.errors;
  e.selection = e.text ? Utf16Text(*e.text).clamped(given.selection) : given.selection;
  return e;
}

}  // namespace

void replaceSelection(SimElement& e, const std::string& replacement) {
  if (!e.text) return;
  const Utf16Text before(*e.text);
  const Range sel = e.selection;
  e.text = before.replaced(sel.location, sel.location + sel.length, replacement);
  const std::int64_t caret = sel.location + Utf16Text(replacement).length();
  e.selection = Utf16Text(*e.text).clamped(Range{caret, 0});
}

void AppRegistry::add(const AppSpec& given) {
  if (auto old = apps_.find(given.pid); old != apps_.end()) {
    old->second.record->running = false;
    for (auto it = elements_.begin(); it != elements_.end();) {
      it = it->second.pid == given.pid ? elements_.erase(it) : std::next(it);
    }
    apps_.erase(old);
  }

  auto record = std::make_shared<AppRecord>();
  record->pid = given.pid;
  record->bundleId = given.bundleId;
  record->name = given.name;
  record->finishedLaunching = given.launched;

  SimApp app;
  app.record = record;
  app.object = std::make_shared<RunningAppObject>(record);
  app.accessible = given.accessible;
  app.keys = given.keys;
  app.focused = given.focused;
  app.attributes = given.attributes;
  apps_.emplace(given.pid, std::move(app));

  for (const ElementSpec& e : given.elements) elements_.insert_or_assign(e.id, makeElement(e, given.pid));
}

SimApp* AppRegistry::app(Pid pid) {
  auto it = apps_.find(pid);
  return it == apps_.end() ? nullptr : &it->second;
}

const SimApp* AppRegistry::app(Pid pid) const {
  auto it = apps_.find(pid);
  return it == apps_.end() ? nullptr : &it->second;
}

SimElement* AppRegistry::element(const std::string& id) {
  auto it = elements_.find(id);
  return it == elements_.end() ? nullptr : &it->second;
}

const SimElement* AppRegistry::element(const std::string& id) const {
  auto it = elements_.find(id);
  return it == elements_.end() ? nullptr : &it->second;
}

SimElement* AppRegistry::elementOf(Pid pid, const std::string& id) {
  SimElement* e = element(id);
  return e != nullptr && e->pid == pid ? e : nullptr;
}

}  // namespace simdesk::detail
