#include "atspi/event_listeners.h"

#include <memory>
#include <optional>
#include <string_view>

#include "atspi/atspi_session.h"
#include "atspi/focus_cache.h"
#include "atspi/gone_objects.h"
#include "atspi/object_facts.h"
#include "glue/c_callback.h"
#include "glue/monotonic_clock.h"
#include "glue/run_loop.h"
#include "logic/observers.h"
#include "logic/handling_cache.h"

namespace axt::lindesk {

namespace {

struct EventDeleter {
  void operator()(AtspiEvent* e) const { g_boxed_free(ATSPI_TYPE_EVENT, e); }
};

}  // namespace

EventListeners::EventListeners(const Parts& parts)
    : parts_(parts),
      probe_(parts.session, parts.applications, parts.focus, parts.workspace),
      delivery_(parts.session, parts.applications, parts.observers, parts.workspace),
      intake_(probe_, parts.focus.grabHoldBack()) {}

void EventListeners::onEvent(AtspiEvent* raw, void* self) {
  const std::unique_ptr<AtspiEvent, EventDeleter> event(raw);
  callFromC([&] {
    if (event != nullptr) static_cast<EventListeners*>(self)->hear(*event);
  });
}

void EventListeners::hear(const AtspiEvent& event) {
  if (event.source == nullptr || event.type == nullptr) return;
  if (noteGone(parts_.session, parts_.observers, parts_.applications, event)) return;
  parts_.session.noteSeen(event.source);
  if (!reachable(event.source)) return;
  // Heard while a change is handled (a main loop run within a handler):
  // what the handling learned may no longer hold.
  if (parts_.readings.handling()) parts_.readings.forget();
  if (std::string_view(event.type).starts_with(kRoleChangedEvent)) {
    forgetRole(event.source);
    return;
  }
  const bool fromRegistry = keyOf(event.source).busName == kRegistryBusName;
  const std::optional<HeardKind> kind = classifyEvent(event.type, event.detail1, fromRegistry);
  if (!kind) return;
  HeardEvent h{*kind, GRef<AtspiAccessible>::retain(event.source), {}, 0, monotonicSeconds()};
  if (*kind == HeardKind::kApplicationAdded && G_VALUE_HOLDS_OBJECT(&event.any_data)) {
    h.child = GRef<AtspiAccessible>::retain(ATSPI_ACCESSIBLE(g_value_get_object(&event.any_data)));
  }
  // Numbered only once it is queued: a merged event is none of its own.
  const auto numbered = [this](HeardEvent& queued) { queued.heardOrder = parts_.observers.countHeardEvent(); };
  if (intake_.hear(std::move(h), numbered)) {
    parts_.runLoop.postAfter(decltype(intake_)::kGatherSeconds, [this] { drain(); });
  }
}

void EventListeners::drain() {
  for (const HeardEvent& e : intake_.takeBatch()) {
    // Each event is handled afresh.
    const HandlingScope handling(parts_.readings);
    const IntakeVerdict verdict = intake_.handle(e, monotonicSeconds);
    if (verdict.afterGrabIn) scheduleAfterGrab(*verdict.afterGrabIn);
    if (verdict.outcome != IntakeOutcome::kDeliver) continue;
    if (e.kind == HeardKind::kApplicationAdded) {
      delivery_.launched(e);
    } else {
      delivery_.deliver(e);
    }
  }
}

void EventListeners::scheduleAfterGrab(double seconds) {
  parts_.runLoop.postAfter(seconds, [this] { afterGrab(); });
}

void EventListeners::afterGrab() {
  AfterGrab<HeardEvent> next = intake_.afterGrab(monotonicSeconds());
  if (next.againIn) scheduleAfterGrab(*next.againIn);
  if (next.deliver) delivery_.deliver(*next.deliver);
}

void EventListeners::busLost() { intake_.reset(); }

void EventListeners::restart() {
  if (!registration_.started()) {
    start();
    return;
  }
  registration_.renew();
}

void EventListeners::start() {
  if (registration_.started() || !parts_.session.ready()) return;
  registration_.start(onEvent, this);
}

}  // namespace axt::lindesk
