// What an element handle names on the bus: the application's root object
// for an application element, else the object itself.
#pragma once

#include <atspi/atspi.h>

#include <cstdint>

#include "glue/gobject_ref.h"
#include "logic/handles.h"
#include "platform/platform.h"

namespace axt::lindesk {

using platform::AXError;
using platform::Value;

struct Target {
  Pid pid = 0;
  GRef<AtspiAccessible> accessible;  // the application's root for an application element
  bool application = false;
  ObjectKey key;
};

class Applications;
class AtspiSession;

// Finds what an element names: kAPIDisabled without a bus, kIllegalArgument
// for a handle of another kind, kCannotComplete for a process with no
// application on the bus, kInvalidUIElement for an object that is gone.
AXError resolveTarget(AtspiSession& session, Applications& applications, const platform::Element& element,
                      Target& out);

// The element for an accessible object of process `pid`; an application's
// root object becomes its application element. `bus` is the number of the
// session's connection the object belongs to (AtspiSession::connectionNumber).
platform::Element wrapElement(Pid pid, AtspiAccessible* accessible, std::uint64_t bus);

}  // namespace axt::lindesk
