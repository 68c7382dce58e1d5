// The listener of the accessibility bus's events, and the event types it is
// registered for. Window moves and resizes come from toolkits that report
// them; the others report them through the X server. Activation comes
// either way (event_kinds.h).
#pragma once

#include <atspi/atspi.h>

#include <string_view>

#include "glue/gobject_ref.h"

namespace axt::lindesk {

// A role is kept for an object's life unless its application says it
// changed (object_facts.h).
inline constexpr std::string_view kRoleChangedEvent = "object:property-change:accessible-role";
// Objects that are gone: their registrations let go of them (observers.h).
inline constexpr std::string_view kDefunctEvent = "object:state-changed:defunct";
inline constexpr std::string_view kChildRemovedEvent = "object:children-changed:remove";

class EventRegistration {
 public:
  // Registers `callback` (called with `data`) for every type, once; the
  // listener stays registered for the life of the backend, like every
  // registration of the library.
  void start(AtspiEventListenerCB callback, void* data);
  // libatspi keeps its listeners across a new connection but tells neither
  // the new bus nor its registry of them: each is made anew.
  void renew();
  bool started() const { return static_cast<bool>(listener_); }

 private:
  GRef<AtspiEventListener> listener_;
};

}  // namespace axt::lindesk
