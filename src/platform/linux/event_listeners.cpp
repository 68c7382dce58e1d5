#include "event_listeners.h"

#include <atspi/atspi.h>

#include <algorithm>
#include <array>
#include <deque>
#include <string>

#include "applications.h"
#include "atspi_session.h"
#include "element_attributes.h"
#include "focus_cache.h"
#include "gobject_ref.h"
#include "handles.h"
#include "observers.h"
#include "run_loop.h"
#include "window_structure.h"
#include "workspace.h"

namespace axt::lindesk {

namespace {

constexpr const char* kRegistryBusName = "org.a11y.atspi.Registry";
constexpr double kGatherSeconds = 0.01;

enum class Kind {
  kFocusGained,
  kSelection,
  kWindowActivated,
  kWindowMoved,
  kWindowResized,
  kApplicationAdded,
};

struct Heard {
  Kind kind;
  GRef<AtspiAccessible> source;
  GRef<AtspiAccessible> child;  // the application that was added
  std::uint64_t number = 0;
};

struct Queue {
  std::deque<Heard> events;
  bool drainScheduled = false;
};

Queue& queue() {
  static Queue q;
  return q;
}

// The events listened for. Window moves and resizes come from toolkits that
// report them; the others report them through the X server.
constexpr std::array<const char*, 7> kEventTypes = {
    "object:state-changed:focused", "object:text-caret-moved", "object:text-selection-changed",
    "window:activate",              "window:move",             "window:resize",
    "object:children-changed:add",
};

std::optional<Kind> kindOf(const std::string& type, int detail1, const ObjectKey& source) {
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

const char* notificationOf(Kind kind) {
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

void handle(const Heard& e) {
  AtspiAccessible* source = e.source.get();
  switch (e.kind) {
    case Kind::kApplicationAdded: {
      if (!e.child) return;
      if (std::optional<Pid> pid = processOf(e.child.get())) applicationLaunched(*pid, e.child.get());
      return;
    }
    case Kind::kWindowActivated: {
      std::optional<Pid> pid = processOf(source);
      if (!pid) return;
      applicationActivated(*pid, applicationOf(*pid).get());
      return;
    }
    default:
      break;
  }
  if (e.kind == Kind::kFocusGained && !noteFocusGained(source)) return;
  std::optional<Pid> pid = processOf(source);
  if (!pid) return;
  if (e.kind == Kind::kWindowMoved || e.kind == Kind::kWindowResized) toolkitReportsWindowGeometry(*pid);
  const std::string name = notificationOf(e.kind);
  if (!anyoneListens(*pid, name)) return;
  deliverNotification(*pid, wrapElement(*pid, source), name, e.number);
}

// One selection change often comes as a caret move and a selection change
// together, and a focus move twice: a notification already waiting for the
// same object is not queued again.
bool alreadyQueued(const Queue& q, Kind kind, const ObjectKey& key) {
  if (notificationOf(kind) == nullptr) return false;
  return std::any_of(q.events.begin(), q.events.end(),
                     [&](const Heard& h) { return h.kind == kind && keyOf(h.source.get()) == key; });
}

void drain() {
  Queue& q = queue();
  q.drainScheduled = false;
  // Events heard while these are handled wait for the next turn.
  std::deque<Heard> batch;
  batch.swap(q.events);
  for (const Heard& e : batch) handle(e);
}

struct EventOwner {
  void operator()(AtspiEvent* e) const { g_boxed_free(ATSPI_TYPE_EVENT, e); }
};

void heard(AtspiEvent* raw, void*) {
  std::unique_ptr<AtspiEvent, EventOwner> event(raw);
  if (event == nullptr || event->source == nullptr || event->type == nullptr) return;
  const ObjectKey key = keyOf(event->source);
  std::optional<Kind> kind = kindOf(event->type, event->detail1, key);
  if (!kind) return;
  Queue& q = queue();
  if (alreadyQueued(q, *kind, key)) return;
  Heard h{*kind, GRef<AtspiAccessible>::retain(event->source), {}, numberHeardEvent()};
  if (*kind == Kind::kApplicationAdded && G_VALUE_HOLDS_OBJECT(&event->any_data)) {
    h.child = GRef<AtspiAccessible>::retain(ATSPI_ACCESSIBLE(g_value_get_object(&event->any_data)));
  }
  q.events.push_back(std::move(h));
  if (!q.drainScheduled) {
    q.drainScheduled = true;
    // A moment's grace gathers what the application sends for one action
    // (a caret move and a selection change; a focus event twice) into one
    // notification. The host's delivery waits far longer anyway.
    postToMainLoopAfter(kGatherSeconds, drain);
  }
}

}  // namespace

void startListening() {
  static bool started = false;
  if (started || !atspiReady()) return;
  started = true;
  // Kept for the life of the process, like every registration of the library.
  static GRef<AtspiEventListener> listener =
      GRef<AtspiEventListener>::adopt(atspi_event_listener_new(heard, nullptr, nullptr));
  for (const char* type : kEventTypes) {
    GErrorHolder error;
    atspi_event_listener_register(listener.get(), type, error.out());
  }
}

}  // namespace axt::lindesk
