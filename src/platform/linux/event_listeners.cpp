#include "event_listeners.h"

#include <algorithm>
#include <array>
#include <memory>

#include "c_callback.h"
#include "element_attributes.h"
#include "linux_desktop.h"
#include "run_loop.h"

namespace axt::lindesk {

namespace {

constexpr const char* kRegistryBusName = "org.a11y.atspi.Registry";
constexpr double kGatherSeconds = 0.01;

// The events listened for. Window moves and resizes come from toolkits that
// report them; the others report them through the X server.
constexpr std::array<const char*, 7> kEventTypes = {
    "object:state-changed:focused", "object:text-caret-moved", "object:text-selection-changed",
    "window:activate",              "window:move",             "window:resize",
    "object:children-changed:add",
};

struct EventDeleter {
  void operator()(AtspiEvent* e) const { g_boxed_free(ATSPI_TYPE_EVENT, e); }
};

}  // namespace

std::optional<EventListeners::Kind> EventListeners::kindOf(const std::string& type, int detail1,
                                                           const ObjectKey& source) {
  if (type.rfind("object:state-changed:focused", 0) == 0) {
    // The element losing the focus keeps its place as the application's
    // last focus: when the focus comes back to it, nothing has moved.
    if (detail1 == 0) return std::nullopt;
    return Kind::kFocusGained;
  }
  if (type.rfind("object:text-caret-moved", 0) == 0 || type.rfind("object:text-selection-changed", 0) == 0) {
    return Kind::kSelection;
  }
  if (type.rfind("window:activate", 0) == 0) return Kind::kWindowActivated;
  if (type.rfind("window:move", 0) == 0) return Kind::kWindowMoved;
  if (type.rfind("window:resize", 0) == 0) return Kind::kWindowResized;
  // Children of the desktop are applications; other objects' children
  // don't matter here.
  if (type.rfind("object:children-changed:add", 0) == 0 && source.busName == kRegistryBusName) {
    return Kind::kApplicationAdded;
  }
  return std::nullopt;
}

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

void EventListeners::handle(const Heard& e) {
  Applications& applications = desktop_.applications();
  AtspiAccessible* source = e.source.get();
  switch (e.kind) {
    case Kind::kApplicationAdded: {
      if (!e.child) return;
      if (std::optional<Pid> pid = applications.processOf(e.child.get())) {
        desktop_.linuxWorkspace().applicationLaunched(*pid, e.child.get());
      }
      return;
    }
    case Kind::kWindowActivated: {
      std::optional<Pid> pid = applications.processOf(source);
      if (!pid) return;
      desktop_.linuxWorkspace().applicationActivated(*pid, applications.applicationOf(*pid).get());
      return;
    }
    default:
      break;
  }
  if (e.kind == Kind::kFocusGained && !desktop_.focus().noteFocusGained(source)) return;
  std::optional<Pid> pid = applications.processOf(source);
  if (!pid) return;
  if (e.kind == Kind::kWindowMoved || e.kind == Kind::kWindowResized) {
    desktop_.windowStructure().toolkitReportsWindowGeometry(*pid);
  }
  const std::string name = notificationOf(e.kind);
  Observers& observers = desktop_.observers();
  if (!observers.anyoneListens(*pid, name)) return;
  observers.deliver(*pid, wrapElement(*pid, source), name, e.number);
}

// One selection change often comes as a caret move and a selection change
// together, and a focus move twice: a notification already waiting for the
// same object is not queued again.
bool EventListeners::alreadyQueued(Kind kind, const ObjectKey& key) const {
  if (notificationOf(kind) == nullptr) return false;
  return std::any_of(queue_.begin(), queue_.end(),
                     [&](const Heard& h) { return h.kind == kind && keyOf(h.source.get()) == key; });
}

void EventListeners::drain() {
  drainScheduled_ = false;
  // Events heard while these are handled wait for the next turn.
  std::deque<Heard> batch;
  batch.swap(queue_);
  for (const Heard& e : batch) handle(e);
}

void EventListeners::onEvent(AtspiEvent* raw, void* self) {
  const std::unique_ptr<AtspiEvent, EventDeleter> event(raw);
  callFromC([&] {
    if (event != nullptr) static_cast<EventListeners*>(self)->hear(*event);
  });
}

void EventListeners::hear(const AtspiEvent& event) {
  if (event.source == nullptr || event.type == nullptr) return;
  const ObjectKey key = keyOf(event.source);
  std::optional<Kind> kind = kindOf(event.type, event.detail1, key);
  if (!kind || alreadyQueued(*kind, key)) return;
  Heard h{*kind, GRef<AtspiAccessible>::retain(event.source), {}, desktop_.observers().numberHeardEvent()};
  if (*kind == Kind::kApplicationAdded && G_VALUE_HOLDS_OBJECT(&event.any_data)) {
    h.child = GRef<AtspiAccessible>::retain(ATSPI_ACCESSIBLE(g_value_get_object(&event.any_data)));
  }
  queue_.push_back(std::move(h));
  if (!drainScheduled_) {
    drainScheduled_ = true;
    // A moment's grace gathers what the application sends for one action
    // (a caret move and a selection change; a focus event twice) into one
    // notification. The host's delivery waits far longer anyway.
    postToMainLoopAfter(kGatherSeconds, [this] { drain(); });
  }
}

void EventListeners::start() {
  if (listener_ || !desktop_.atspi().ready()) return;
  listener_ = GRef<AtspiEventListener>::adopt(atspi_event_listener_new(onEvent, this, nullptr));
  for (const char* type : kEventTypes) {
    GErrorHolder error;
    atspi_event_listener_register(listener_.get(), type, error.out());
  }
}

}  // namespace axt::lindesk
