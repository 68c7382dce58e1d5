// What every request to another application goes through: whether it can
// be made at all, and the guard that refuses requests to an application
// that stopped answering and marks one that lets a request run out.
#pragma once

#include <atspi/atspi.h>
#include <dbus/dbus.h>

#include <string>

namespace axt::lindesk {

class AtspiSession;
class UnresponsiveApps;

// Whether a request can be made of the object at all: its application still
// has a connection. Objects of a bus that went away have none (libatspi let
// go of them, or their bus is closed), nor has an application that libatspi
// knew by a name the new bus gave to another; asking them would hand
// libdbus no connection, which ends the process.
bool reachable(AtspiAccessible* accessible);

// Requests to the object's application end at the limit, over a peer
// connection too (peer_connections.h). `bus`: the session's connection.
void nameConnectionAsOnBus(AtspiAccessible* accessible, DBusConnection* bus);

// One request (or a few that belong together) to an object's application.
// Refused while the application is marked unresponsive: the caller then
// fails at once, as a timed-out request does. One that took the whole
// limit, whether or not libatspi reported it failed, marks the application
// in the session's unresponsive applications.
class AppRequest {
 public:
  AppRequest(AtspiSession& session, AtspiAccessible* accessible);
  ~AppRequest();
  AppRequest(const AppRequest&) = delete;
  AppRequest& operator=(const AppRequest&) = delete;
  bool refused() const { return refused_; }

 private:
  UnresponsiveApps& unresponsive_;
  std::string busName_;
  gint64 started_ = 0;
  bool refused_ = false;
};

}  // namespace axt::lindesk
