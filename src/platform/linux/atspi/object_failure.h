// A failed request to an object, as the attribute readers report it.
#pragma once

#include <atspi/atspi.h>

#include "glue/gobject_ref.h"
#include "platform/values.h"

namespace axt::lindesk {

class AtspiSession;
class Observers;

// The request's error code (failureCode); an object answered for as
// unknown (or whose application is gone) is gone for good, and the
// registrations on it let go of it.
platform::AXError objectFailure(AtspiSession& session, Observers& observers, const GErrorHolder& error,
                                AtspiAccessible* object);

}  // namespace axt::lindesk
