#include "atspi/event_listeners.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "atspi/element_attributes.h"
#include "atspi/focus_cache.h"
#include "atspi/object_facts.h"
#include "atspi/text_access.h"
#include "glue/c_callback.h"
#include "glue/monotonic_clock.h"
#include "glue/run_loop.h"
#include "logic/observers.h"
#include "logic/reading_memo.h"

namespace axt::lindesk {

namespace {

constexpr double kGatherSeconds = 0.01;

// The events listened for. Window moves and resizes come from toolkits that
// report them; the others report them through the X server. Activation
// comes either way (event_kinds.h).
// A role is kept for an object's life unless its application says it
// changed (object_facts.h).
constexpr std::string_view kRoleChanged = "object:property-change:accessible-role";

// Objects that are gone: their registrations let go of them (observers.h).
constexpr std::string_view kDefunct = "object:state-changed:defunct";
constexpr std::string_view kChildRemoved = "object:children-changed:remove";

constexpr std::array<const char*, 11> kEventTypes = {
    "object:state-changed:focused", "object:state-changed:active", "object:text-caret-moved",
    "object:text-selection-changed", "window:activate",            "window:move",
    "window:resize",                 "object:children-changed:add", kRoleChanged.data(),
    kDefunct.data(),                 kChildRemoved.data(),
};

struct EventDeleter {
  void operator()(AtspiEvent* e) const { g_boxed_free(ATSPI_TYPE_EVENT, e); }
};

}  // namespace

const char* EventListeners::notificationOf(Kind kind) {
  switch (kind) {
    case Kind::kFocusGained:
      return "AXFocusedUIElementChanged";
    case Kind::kSelection:
      return "AXSelectedTextChanged";
    case Kind::kWindowMoved:
      return "AXWindowMoved";
    case Kind::kWindowResized:
      return "AXWindowResized";
    default:
      return nullptr;
  }
}

// Asked when the event is handled, not when it was heard: what the
// application took back meanwhile never happened for the user.
bool EventListeners::stillStands(const Heard& e) {
  if (e.kind != Kind::kFocusGained && e.kind != Kind::kWindowActivated && e.kind != Kind::kSelection) {
    return true;
  }
  AtspiAccessible* source = e.source.get();
  GRef<AtspiStateSet> states = statesOf(parts_.session, source);
  HeldStates held;
  held.focused = hasState(states.get(), ATSPI_STATE_FOCUSED);
  held.active = hasState(states.get(), ATSPI_STATE_ACTIVE);
  held.showing = hasState(states.get(), ATSPI_STATE_SHOWING);
  if (e.kind == Kind::kSelection && !held.focused && held.showing) {
    GRef<AtspiText> text = textOf(source);
    CharRange selected;
    held.selects = text && readSelectedChars(parts_.session, text.get(), selected) == platform::axerr::kSuccess &&
                   selected.start != selected.end;
  }
  AtspiRole role = ATSPI_ROLE_INVALID;
  if (e.kind == Kind::kWindowActivated && held.active) {
    const std::optional<AtspiRole> asked = guardedRoleOf(parts_.session, source);
    if (!asked) return false;
    role = *asked;
  }
  return eventStands(e.kind, role, held);
}

void EventListeners::handle(const Heard& e) {
  Applications& applications = parts_.applications;
  AtspiAccessible* source = e.source.get();
  switch (e.kind) {
    case Kind::kApplicationAdded: {
      if (!e.child) return;
      if (std::optional<Pid> pid = applications.processOf(e.child.get())) {
        parts_.workspace.applicationLaunched(*pid, e.child.get());
      }
      return;
    }
    case Kind::kWindowActivated: {
      if (!stillStands(e)) return;
      std::optional<Pid> pid = applications.processOf(source);
      if (!pid) return;
      // Another window of the application in front (a dialog, a popover)
      // is no switch, and the focus moves in it are the user's.
      if (parts_.workspace.applicationActivated(*pid, applications.applicationOf(*pid).get())) {
        // Judged by when each report was heard: an activation handled late
        // (behind slow requests) would otherwise stretch its settling over
        // the user's first keys in the window, and a selection made right
        // after the switch would never be told.
        settling_.activated(keyOf(source).busName, e.heardAt);
      }
      return;
    }
    case Kind::kFocusGained: {
      if (!stillStands(e)) return;
      // Judged by when the claim was heard, not when it is handled: a
      // grab's claims may wait behind slow requests (an activation's walk
      // over the windows) until the quiet is over, and are still the
      // grab's. Let through, the last of them would find the focus where
      // it was, and the first, held back, would then move it away.
      if (parts_.focus.grabQuiet().quiet(e.heardAt)) {
        holdBackFocus(e);
        return;
      }
      // Heard after the quiet: the claims still held back are older, and
      // this one is where the focus went.
      heldBack_.clear();
      // An element of an embedded tree counts for the application whose
      // window holds it (embedded_trees.h).
      const std::string application = applications.applicationBusOf(source);
      if (!parts_.focus.noteFocusGained(application, source)) return;
      // Where the activation put it: recorded, not announced.
      if (settling_.settling(application, e.heardAt)) return;
      break;
    }
    case Kind::kSelection:
      if (!stillStands(e)) return;
      // Neither an activation nor the hot key's grab of the keyboard moves
      // the caret: what a toolkit reports of it as its window gets the
      // focus back (a browser engine's page reports the caret where it
      // was) is no change of the user's, and would replace the
      // activation's app_changed or the hot key's event in the delivery.
      if (parts_.focus.grabQuiet().quiet(e.heardAt)) return;
      if (settling_.settling(applications.applicationBusOf(source), e.heardAt)) return;
      break;
    default:
      break;
  }
  notifyObservers(e);
}

void EventListeners::notifyObservers(const Heard& e) {
  AtspiAccessible* source = e.source.get();
  std::optional<Pid> pid = parts_.applications.processOf(source);
  if (!pid) return;
  if (e.kind == Kind::kWindowMoved || e.kind == Kind::kWindowResized) {
    parts_.workspace.toolkitReportsWindowGeometry(*pid);
  }
  const std::string name = notificationOf(e.kind);
  Observers& observers = parts_.observers;
  if (!observers.anyoneListens(*pid, name)) return;
  observers.deliver(*pid, wrapElement(*pid, source, parts_.session.connectionNumber()), name, e.number);
}

void EventListeners::holdBackFocus(const Heard& e) {
  const ObjectKey key = keyOf(e.source.get());
  std::erase_if(heldBack_, [&](const Heard& h) { return keyOf(h.source.get()) == key; });
  heldBack_.push_back(e);
  if (afterGrabScheduled_) return;
  const std::optional<double> end = parts_.focus.grabQuiet().endsAt(monotonicSeconds());
  afterGrabScheduled_ = true;
  parts_.runLoop.postAfter(end ? *end - monotonicSeconds() : 0.0, [this] { afterGrab(); });
}

// The grab is over: of the elements that claimed the focus meanwhile, the
// one that holds it now (the latest claim first) is where the focus is.
// Mostly it is the element that had it before the grab, and nothing moved.
void EventListeners::afterGrab() {
  afterGrabScheduled_ = false;
  const double now = monotonicSeconds();
  if (std::optional<double> end = parts_.focus.grabQuiet().endsAt(now)) {
    // Pressed again meanwhile.
    afterGrabScheduled_ = true;
    parts_.runLoop.postAfter(*end - now, [this] { afterGrab(); });
    return;
  }
  std::vector<Heard> claims;
  claims.swap(heldBack_);
  for (auto it = claims.rbegin(); it != claims.rend(); ++it) {
    if (!stillStands(*it)) continue;
    AtspiAccessible* source = it->source.get();
    if (parts_.focus.noteFocusGained(parts_.applications.applicationBusOf(source), source)) {
      notifyObservers(*it);
    }
    return;
  }
}

// One selection change often comes as a caret move and a selection change
// together, and a focus move twice: a notification already waiting for the
// same object is not queued again.
bool EventListeners::alreadyQueued(Kind kind, const ObjectKey& key) const {
  // A window's activation comes twice from toolkits that send both kinds
  // of event for it.
  if (notificationOf(kind) == nullptr && kind != Kind::kWindowActivated) return false;
  return std::any_of(queue_.begin(), queue_.end(),
                     [&](const Heard& h) { return h.kind == kind && keyOf(h.source.get()) == key; });
}

void EventListeners::drain() {
  drainScheduled_ = false;
  // Events heard while these are handled wait for the next turn.
  std::deque<Heard> batch;
  batch.swap(queue_);
  for (const Heard& e : batch) {
    // Each event is handled afresh.
    const ReadingScope handling(parts_.readings);
    handle(e);
  }
}

void EventListeners::onEvent(AtspiEvent* raw, void* self) {
  const std::unique_ptr<AtspiEvent, EventDeleter> event(raw);
  callFromC([&] {
    if (event != nullptr) static_cast<EventListeners*>(self)->hear(*event);
  });
}

void EventListeners::hear(const AtspiEvent& event) {
  if (event.source == nullptr || event.type == nullptr) return;
  if (noteGone(event)) return;
  parts_.session.meet(event.source);
  if (!reachable(event.source)) return;
  // Heard while a change is handled (a main loop run within a handler):
  // what the handling learned may no longer hold.
  if (parts_.readings.handling()) parts_.readings.forget();
  if (std::string_view(event.type).starts_with(kRoleChanged)) {
    forgetRole(event.source);
    return;
  }
  const ObjectKey key = keyOf(event.source);
  std::optional<Kind> kind = classifyEvent(event.type, event.detail1, key.busName == kRegistryBusName);
  if (!kind || alreadyQueued(*kind, key)) return;
  Heard h{*kind, GRef<AtspiAccessible>::retain(event.source), {}, parts_.observers.numberHeardEvent(),
          monotonicSeconds()};
  if (*kind == Kind::kApplicationAdded && G_VALUE_HOLDS_OBJECT(&event.any_data)) {
    h.child = GRef<AtspiAccessible>::retain(ATSPI_ACCESSIBLE(g_value_get_object(&event.any_data)));
  }
  queue_.push_back(std::move(h));
  if (!drainScheduled_) {
    drainScheduled_ = true;
    // A moment's grace gathers what the application sends for one action
    // (a caret move and a selection change; a focus event twice) into one
    // notification. The host's delivery waits far longer anyway.
    parts_.runLoop.postAfter(kGatherSeconds, [this] { drain(); });
  }
}

// An object that is gone, or an application that left the bus: what the
// registrations on their objects hold goes at once. Only objects that
// registrations are held for are looked at, so that the many objects that
// come and go unobserved (rows of a list) cost no request.
bool EventListeners::noteGone(const AtspiEvent& event) {
  const std::string_view type = event.type;
  Observers& observers = parts_.observers;
  if (type.starts_with(kDefunct)) {
    if (event.detail1 != 0) observers.objectGone(keyOf(event.source), parts_.session.connectionNumber());
    return true;
  }
  if (!type.starts_with(kChildRemoved)) return false;
  if (!G_VALUE_HOLDS_OBJECT(&event.any_data)) return true;
  auto* child = ATSPI_ACCESSIBLE(g_value_get_object(&event.any_data));
  if (child == nullptr) return true;
  const ObjectKey key = keyOf(child);
  if (keyOf(event.source).busName == kRegistryBusName) {
    observers.applicationGone(key.busName);
    parts_.applications.applicationGone(key.busName);
    return true;
  }
  // A child taken out of its parent may be put in another (a toolkit moving
  // a widget): it is gone only when it says so.
  const std::uint64_t bus = parts_.session.connectionNumber();
  if (observers.holdsObject(key, bus) && isDefunct(parts_.session, child)) observers.objectGone(key, bus);
  return true;
}

void EventListeners::busLost() {
  queue_.clear();
  heldBack_.clear();
  settling_ = ActivationSettling();
}

void EventListeners::restart() {
  if (!listener_) {
    start();
    return;
  }
  // libatspi keeps its listeners across a new connection but tells neither
  // the new bus nor its registry of them: each is made anew.
  for (const char* type : kEventTypes) {
    GErrorHolder dropped;
    atspi_event_listener_deregister(listener_.get(), type, dropped.out());
    GErrorHolder error;
    atspi_event_listener_register(listener_.get(), type, error.out());
  }
}

void EventListeners::start() {
  if (listener_ || !parts_.session.ready()) return;
  listener_ = GRef<AtspiEventListener>::adopt(atspi_event_listener_new(onEvent, this, nullptr));
  for (const char* type : kEventTypes) {
    GErrorHolder error;
    atspi_event_listener_register(listener_.get(), type, error.out());
  }
}

}  // namespace axt::lindesk
