// Applications that stopped answering. A request that times out (or takes
// nearly the whole limit, where libatspi doesn't say it failed) marks the
// application; until it answers again, every request to it fails at once,
// as a timed-out one does, instead of waiting out the limit again. So an
// application that hangs holds the host's main thread for one request's
// limit, not one limit per read, and events from other applications keep
// coming meanwhile. A marked application is asked, every half second and
// without waiting, for its root object's name, which its main thread
// answers; when an answer comes (or the application is gone) the mark goes.
#pragma once

#include <dbus/dbus.h>
#include <glib.h>

#include <functional>
#include <map>
#include <string>

#include "glue/gobject_ref.h"

namespace axt::lindesk {

class UnresponsiveApps {
 public:
  // `bus`: the accessibility bus the session follows, or null while it
  // follows none. Asked on each probe: libatspi's own getter of the bus
  // would open a new connection once that one is gone, behind the session's
  // back.
  explicit UnresponsiveApps(std::function<DBusConnection*()> bus) : bus_(std::move(bus)) {}
  UnresponsiveApps(const UnresponsiveApps&) = delete;
  UnresponsiveApps& operator=(const UnresponsiveApps&) = delete;
  ~UnresponsiveApps();

  // A request to the application at `busName` got no answer in time.
  void markUnanswered(const std::string& busName);
  // Whether requests to it fail at once for now.
  bool holds(const std::string& busName) const;
  // Forgets every mark: the bus they were made on went away.
  void forgetAll();

 private:
  struct Probe;
  static gboolean onTick(gpointer self);
  void probeAll();
  void probeAnswered(const std::string& busName, bool stillUnresponsive);

  // Each marked application, and whether a question to it is outstanding.
  std::function<DBusConnection*()> bus_;
  std::map<std::string, bool> marked_;
  GSourcePtr timer_;
};

}  // namespace axt::lindesk
