// The backend's connection to the accessibility bus: started once, on the
// main thread, the first time anything needs it; with the events of the
// bus delivered through the default GLib main context, which the host runs.
// Also the mapping of AT-SPI failures to the accessibility error codes the
// library knows.
#pragma once

#include <atspi/atspi.h>

#include "gobject_ref.h"
#include "platform/values.h"

namespace axt::lindesk {

// True once the accessibility bus has been reached. The first call connects.
bool atspiReady();

// The desktop object whose children are the applications on the bus; empty
// when the bus can't be reached.
GRef<AtspiAccessible> desktop();

// The error code for a failed AT-SPI request: a vanished object or
// application is an invalid element, a missing interface or method an
// unsupported attribute, everything else (timeouts included) a request that
// couldn't complete.
platform::AXError errorCodeFor(const GErrorHolder& error);

// True when the object's application has gone or the object was destroyed.
bool isDefunct(AtspiAccessible* accessible);

}  // namespace axt::lindesk
