#include "accessibility.h"

#include "element_answers.h"
#include "handles.h"
#include "main_loop.h"
#include "state.h"

namespace simdesk::detail {

namespace axerr = axt::platform::axerr;

namespace {

// Every request passes the same gate, in this order: the host's trust, the
// process (never existed, quit, refusing accessibility, not answering), then
// the element. A request to an application that doesn't answer waits out
// the request limit, other applications going on meanwhile, and fails as a
// timed-out request does. On success `target` is set.
AXError gate(State& s, const Element& element, std::optional<Target>& target) {
  if (!s.trusted) return axerr::kAPIDisabled;
  const ElementHandle* h = handleAs<ElementHandle>(element);
  if (h == nullptr) return axerr::kIllegalArgument;
  SimApp* app = s.apps.app(h->pid());
  if (app == nullptr) return axerr::kCannotComplete;
  if (!app->running()) return axerr::kInvalidUIElement;
  if (!app->accessible) return axerr::kCannotComplete;
  if (!app->answering) {
    busyWaitTurn(s.clock.now() + s.requestLimit);
    return axerr::kCannotComplete;
  }
  SimElement* e = nullptr;
  if (!h->isApplication()) {
    if (h->generation() != s.generation) return axerr::kInvalidUIElement;
    e = s.apps.elementOf(h->pid(), h->elementId());
    if (e == nullptr) return axerr::kInvalidUIElement;
  }
  target.emplace(Target{*app, e, s.apps, s.generation});
  return axerr::kSuccess;
}

}  // namespace

bool AccessibilityService::isProcessTrusted(bool prompt) {
  State& s = state();
  if (prompt) ++s.promptRequests;
  return s.trusted;
}

Element AccessibilityService::createApplication(Pid pid) { return ElementHandle::application(pid); }

AXError AccessibilityService::copyAttributeValue(const Element& element,
                                                 const std::string& attribute,
                                                 std::optional<Value>& out) {
  State& s = state();
  ++s.requests.reads;
  std::optional<Target> t;
  if (AXError code = gate(s, element, t); code != axerr::kSuccess) return code;
  return readAttribute(*t, attribute, out);
}

AXError AccessibilityService::copyParameterizedAttributeValue(const Element& element,
                                                              const std::string& attribute,
                                                              const Value& parameter,
                                                              std::optional<Value>& out) {
  State& s = state();
  ++s.requests.parameterizedReads;
  std::optional<Target> t;
  if (AXError code = gate(s, element, t); code != axerr::kSuccess) return code;
  return readParameterized(*t, attribute, parameter, out);
}

AXError AccessibilityService::isAttributeSettable(const Element& element,
                                                  const std::string& attribute, bool& settable) {
  State& s = state();
  ++s.requests.settableChecks;
  std::optional<Target> t;
  if (AXError code = gate(s, element, t); code != axerr::kSuccess) return code;
  return checkSettable(*t, attribute, settable);
}

AXError AccessibilityService::setAttributeValue(const Element& element,
                                                const std::string& attribute, const Value& value) {
  State& s = state();
  ++s.requests.writes;
  std::optional<Target> t;
  if (AXError code = gate(s, element, t); code != axerr::kSuccess) return code;
  const WriteOutcome outcome = writeAttribute(*t, attribute, value);
  if (outcome.selectionChanged) {
    postAccessibilityNotification(s, t->element->pid, t->element->id, "AXSelectedTextChanged");
  }
  return outcome.code;
}

AXError AccessibilityService::copyAttributeNames(const Element& element,
                                                 std::optional<std::vector<Value>>& names) {
  State& s = state();
  ++s.requests.nameLists;
  std::optional<Target> t;
  if (AXError code = gate(s, element, t); code != axerr::kSuccess) return code;
  std::vector<Value> list;
  for (std::string& name : attributeNames(*t)) list.emplace_back(std::move(name));
  names = std::move(list);
  return axerr::kSuccess;
}

std::optional<AXValue> AccessibilityService::createRangeValue(const Range& range) {
  return AXValue(range);
}

std::optional<TextMarker> AccessibilityService::copyStartMarker(const TextMarkerRange& range) {
  const auto* r = handleAs<MarkerRangeHandle>(range);
  if (r == nullptr) return std::nullopt;
  return TextMarker(r->first());
}

std::optional<TextMarker> AccessibilityService::copyEndMarker(const TextMarkerRange& range) {
  const auto* r = handleAs<MarkerRangeHandle>(range);
  if (r == nullptr) return std::nullopt;
  return TextMarker(r->second());
}

std::optional<TextMarkerRange> AccessibilityService::createTextMarkerRange(
    const TextMarker& first, const TextMarker& second) {
  if (handleAs<MarkerHandle>(first) == nullptr || handleAs<MarkerHandle>(second) == nullptr) {
    return std::nullopt;
  }
  return TextMarkerRange(std::make_shared<MarkerRangeHandle>(first.shared(), second.shared()));
}

AXError AccessibilityService::createObserver(Pid pid, ObserverCallback callback,
                                             std::optional<Observer>& out) {
  State& s = state();
  const SimApp* app = s.apps.app(pid);
  if (app == nullptr || !app->running()) return axerr::kCannotComplete;
  const std::uint64_t id = s.observers.create(pid, callback);
  out = Observer(std::make_shared<ObserverHandle>(s.generation, id));
  return axerr::kSuccess;
}

AXError AccessibilityService::addNotification(const Observer& observer, const Element& element,
                                              const std::string& notification, void* context) {
  State& s = state();
  ++s.requests.notificationRegistrations;
  const auto* o = handleAs<ObserverHandle>(observer);
  if (o == nullptr || o->generation() != s.generation || s.observers.find(o->id()) == nullptr) {
    return axerr::kInvalidUIElementObserver;
  }
  std::optional<Target> t;
  if (AXError code = gate(s, element, t); code != axerr::kSuccess) return code;
  const Pid pid = t->app.record->pid;
  const std::string elementId = t->element != nullptr ? t->element->id : std::string();
  return addObserverNotification(s, o->id(), pid, elementId, notification, context);
}

void AccessibilityService::addRunLoopSource(const Observer& observer, RunLoopMode mode) {
  State& s = state();
  const auto* o = handleAs<ObserverHandle>(observer);
  if (o == nullptr || o->generation() != s.generation) return;
  ObserverRecord* record = s.observers.find(o->id());
  if (record == nullptr) return;
  (mode == RunLoopMode::kDefault ? record->inDefaultMode : record->inCommonModes) = true;
}

}  // namespace simdesk::detail
