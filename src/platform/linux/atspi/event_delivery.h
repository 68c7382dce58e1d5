// An event that the intake let through, told to whoever registered for its
// notification (notifications.h) on the object's application (observers.h).
#pragma once

#include "atspi/heard_event.h"

namespace axt::lindesk {

class Applications;
class AtspiSession;
class Observers;
class WorkspaceEvents;

class EventDelivery {
 public:
  EventDelivery(AtspiSession& session, Applications& applications, Observers& observers, WorkspaceEvents& workspace)
      : session_(session), applications_(applications), observers_(observers), workspace_(workspace) {}

  void deliver(const HeardEvent& e);
  // An application came onto the bus: the workspace learns of it.
  void launched(const HeardEvent& e);

 private:
  AtspiSession& session_;
  Applications& applications_;
  Observers& observers_;
  WorkspaceEvents& workspace_;
};

}  // namespace axt::lindesk
