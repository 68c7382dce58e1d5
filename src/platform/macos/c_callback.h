// The observer callback, the event manager's handler, dispatch functions,
// timer and notification blocks and the methods AppKit calls on our objects
// enter the backend through callFromC, which lets no exception cross into
// the system's frames.
#pragma once

#include "platform/backend_c_callback.h"

namespace axt::macdesk {
using platform::backend::callFromC;
}  // namespace axt::macdesk
