// The events of the accessibility bus that the backend turns into
// notifications: focus moves, caret moves and selection changes, window
// activation, moves and resizes, applications appearing on the bus
// (event_kinds.h tells which is which). Listeners only queue what they
// hear; the queue is worked off from the main loop, so that no observer
// runs inside a request the library is making (AT-SPI hands events over
// while it waits for answers). Which of them are delivered, held, merged
// or dropped is the intake's to say (event_intake.h).
#pragma once

#include <atspi/atspi.h>

#include "atspi/bus_intake_probe.h"
#include "atspi/event_delivery.h"
#include "atspi/event_registration.h"
#include "atspi/heard_event.h"
#include "atspi/workspace_events.h"
#include "logic/event_intake.h"

namespace axt::lindesk {

class AtspiSession;
class Applications;
class GlibRunLoop;
class FocusCache;
class Observers;
class HandlingCache;

class EventListeners {
 public:
  struct Parts {
    AtspiSession& session;
    HandlingCache& readings;
    Applications& applications;
    FocusCache& focus;
    Observers& observers;
    WorkspaceEvents& workspace;
    GlibRunLoop& runLoop;
  };
  explicit EventListeners(const Parts& parts);
  EventListeners(const EventListeners&) = delete;
  EventListeners& operator=(const EventListeners&) = delete;

  // Starts listening, once; nothing happens without the bus.
  void start();
  // The bus went away: what was heard from it and not yet handled is
  // dropped with it.
  void busLost();
  // Connected to a new bus: the registrations of the old one are made
  // there again.
  void restart();

 private:
  static void onEvent(AtspiEvent* event, void* self);
  void hear(const AtspiEvent& event);
  void drain();
  void afterGrab();
  void scheduleAfterGrab(double seconds);

  Parts parts_;
  EventRegistration registration_;
  BusIntakeProbe probe_;
  EventDelivery delivery_;
  EventIntake<HeardEvent, BusIntakeProbe> intake_;
};

}  // namespace axt::lindesk
