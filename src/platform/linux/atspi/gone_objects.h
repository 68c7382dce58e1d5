// An object that is gone, or an application that left the bus: what the
// registrations on their objects hold goes at once. Only objects that
// registrations are held for are looked at, so that the many objects that
// come and go unobserved (rows of a list) cost no request.
#pragma once

#include <atspi/atspi.h>

namespace axt::lindesk {

class Applications;
class AtspiSession;
class Observers;

// True when the event tells of an object's or application's end (and was
// dealt with): it is then no event for the intake.
bool noteGone(AtspiSession& session, Observers& observers, Applications& applications, const AtspiEvent& event);

}  // namespace axt::lindesk
