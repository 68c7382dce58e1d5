// The events of the accessibility bus that the backend turns into
// notifications: focus moves, caret moves and selection changes, window
// activation, moves and resizes, applications appearing on the bus
// (event_kinds.h tells which is which, and which of them still stand when
// they are handled).
// Listeners only queue what they hear; the queue is worked off from the
// main loop, so that no observer runs inside a request the library is
// making (AT-SPI hands events over while it waits for answers).
#pragma once

#include <atspi/atspi.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "glue/gobject_ref.h"
#include "logic/activation_settling.h"
#include "logic/event_kinds.h"
#include "logic/handles.h"
#include "platform/values.h"

namespace axt::lindesk {

class AtspiSession;
class Applications;
class GlibRunLoop;
class FocusCache;
class Observers;
class ReadingMemo;

// What the bus's events tell the parts that join the bus with the window
// system: the workspace's applications and where windows are.
class WorkspaceEvents {
 public:
  virtual ~WorkspaceEvents() = default;
  // An application came onto the bus.
  virtual void applicationLaunched(platform::Pid pid, AtspiAccessible* application) = 0;
  // A window of the application became the active one; true when that
  // made the application the one in front (a switch).
  virtual bool applicationActivated(platform::Pid pid, AtspiAccessible* application) = 0;
  // The toolkit reports its windows' moves and resizes itself.
  virtual void toolkitReportsWindowGeometry(platform::Pid pid) = 0;
};

class EventListeners {
 public:
  struct Parts {
    AtspiSession& session;
    ReadingMemo& readings;
    Applications& applications;
    FocusCache& focus;
    Observers& observers;
    WorkspaceEvents& workspace;
    GlibRunLoop& runLoop;
  };
  explicit EventListeners(const Parts& parts) : parts_(parts) {}
  EventListeners(const EventListeners&) = delete;
  EventListeners& operator=(const EventListeners&) = delete;

  // Starts listening, once; nothing happens without the bus. The listener
  // stays registered for the life of the backend, like every registration
  // of the library.
  void start();
  // The bus went away: what was heard from it and not yet handled is
  // dropped with it.
  void busLost();
  // Connected to a new bus: the registrations of the old one are made
  // there again.
  void restart();

 private:
  using Kind = HeardKind;

  struct Heard {
    Kind kind;
    GRef<AtspiAccessible> source;
    GRef<AtspiAccessible> child;  // the application that was added
    std::uint64_t number = 0;
    double heardAt = 0;  // monotonic seconds
  };

  static void onEvent(AtspiEvent* event, void* self);
  static const char* notificationOf(Kind kind);
  bool stillStands(const Heard& e);

  void hear(const AtspiEvent& event);
  bool noteGone(const AtspiEvent& event);
  bool alreadyQueued(Kind kind, const ObjectKey& key) const;
  void drain();
  void handle(const Heard& e);
  void notifyObservers(const Heard& e);
  // Focus claims heard while the hot key's grab holds the keyboard wait
  // for its end (grab_quiet.h).
  void holdBackFocus(const Heard& e);
  void afterGrab();

  Parts parts_;
  GRef<AtspiEventListener> listener_;
  std::deque<Heard> queue_;
  bool drainScheduled_ = false;
  std::vector<Heard> heldBack_;
  ActivationSettling settling_;
  bool afterGrabScheduled_ = false;
};

}  // namespace axt::lindesk
