// An event of the bus as the listeners keep it until it is handled: what it
// means (event_kinds.h), its object, and when it was heard.
#pragma once

#include <atspi/atspi.h>

#include <cstdint>

#include "glue/gobject_ref.h"
#include "logic/event_kinds.h"

namespace axt::lindesk {

struct HeardEvent {
  HeardKind kind;
  GRef<AtspiAccessible> source;
  GRef<AtspiAccessible> child;  // the application that was added
  std::uint64_t heardOrder = 0;  // where it stands among the events heard, from 1
  double heardAt = 0;           // monotonic seconds
};

}  // namespace axt::lindesk
