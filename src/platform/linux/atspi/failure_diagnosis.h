// The error code for a failed request to an object of the application at
// `busName` (atspi_errors.h). An exchange that libatspi reports as failed
// without saying why is told apart by asking the bus whether the
// application is still there: gone, it is an invalid element; there, it
// didn't answer (kCannotComplete); the bus itself gone, kAPIDisabled. An
// application that didn't answer is marked unresponsive in the session
// (request_limits.h).
#pragma once

#include <string>

#include "glue/gobject_ref.h"
#include "platform/values.h"

namespace axt::lindesk {

class AtspiSession;

platform::AXError failureCode(AtspiSession& session, const GErrorHolder& error, const std::string& busName);

}  // namespace axt::lindesk
