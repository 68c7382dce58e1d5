// What the event intake (event_intake.h) asks of the bus about an event's
// object, and what it tells the focus cache and the workspace.
#pragma once

#include <string>

#include "atspi/heard_event.h"
#include "logic/handles.h"

namespace axt::lindesk {

class Applications;
class AtspiSession;
class FocusCache;
class WorkspaceEvents;

class BusIntakeProbe {
 public:
  BusIntakeProbe(AtspiSession& session, Applications& applications, FocusCache& focus, WorkspaceEvents& workspace)
      : session_(session), applications_(applications), focus_(focus), workspace_(workspace) {}

  static ObjectKey identity(const HeardEvent& e);
  static std::string busOf(const HeardEvent& e);
  // Asked when the event is handled, not when it was heard: what the
  // application took back meanwhile never happened for the user.
  bool stands(const HeardEvent& e);
  // An element of an embedded tree counts for the application whose window
  // holds it (embedded_trees.h).
  std::string applicationOf(const HeardEvent& e);
  // Another window of the application in front (a dialog, a popover) is no
  // switch, and the focus moves in it are the user's.
  bool switched(const HeardEvent& e);
  bool focusMoved(const std::string& application, const HeardEvent& e);
  void claimTakenBack(const std::string& application, const HeardEvent& e);

 private:
  AtspiSession& session_;
  Applications& applications_;
  FocusCache& focus_;
  WorkspaceEvents& workspace_;
};

}  // namespace axt::lindesk
