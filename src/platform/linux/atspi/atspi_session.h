// The backend's connection to the accessibility bus: started once, on the
// main thread, the first time anything needs it; with the events of the
// bus delivered through the default GLib main context, which the host runs.
// What every request over it shares is beside it: the guard of each
// request (request_guard.h), the error code for a failed one
// (failure_diagnosis.h), and walking an object's children (object_tree.h).
//
// The bus can go away under the host (its daemon or its launcher dies) and
// come back as a new bus. The session then lets go of libatspi's state, in
// which every object belongs to the dead bus, and connects anew, trying
// again for as long as it takes. That takes filling libatspi's emptied
// application objects (application_revival.h), which is done only with a
// libatspi whose layout was checked (atspi_layout.h); with any other, the
// session says once on the host's log that tracking ended, and stays down.
#pragma once

#include <atspi/atspi.h>
#include <dbus/dbus.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "atspi/application_revival.h"
#include "atspi/bus_watch.h"
#include "atspi/failure_diagnosis.h"
#include "atspi/object_tree.h"
#include "atspi/request_guard.h"
#include "atspi/unresponsive_apps.h"
#include "glue/gobject_ref.h"
#include "glue/run_loop.h"
#include "logic/handling_cache.h"
#include "logic/retry_backoff.h"
#include "platform/platform.h"

namespace axt::lindesk {

class AtspiSession {
 public:
  // `log` tells the host what the backend can't do about the bus; retries
  // and losses are handled from `runLoop`'s main context; `readings` keeps
  // what the bus answered within one handling (handling_cache.h).
  AtspiSession(platform::Log& log, GlibRunLoop& runLoop, HandlingCache& readings)
      : watch_(runLoop), log_(log), runLoop_(runLoop), readings_(readings) {}
  AtspiSession(const AtspiSession&) = delete;
  AtspiSession& operator=(const AtspiSession&) = delete;

  // What the rest of the backend does when the bus went away (`lost`: let
  // go of every object of it, which nothing can be asked of any more) and
  // once it is connected to the new one (`regained`: listen again).
  void follow(std::function<void()> lost, std::function<void()> regained);

  // True while the accessibility bus is reached. The first call connects.
  bool ready();

  // An object heard of on the bus now: the source of an event, an
  // application on the desktop (application_revival.h).
  void noteSeen(AtspiAccessible* accessible);

  // While the bus is lost: tries the new one at once (its address was just
  // published).
  void retrySoon();

  // The connection to the bus while it is reached, else null.
  DBusConnection* bus();
  // Which connection that is: counts up from 1 with every connection made.
  std::uint64_t connectionNumber() const { return connectionNumber_; }

  // The desktop object whose children are the applications on the bus;
  // empty when the bus can't be reached.
  GRef<AtspiAccessible> desktopObject();

  // The applications that stopped answering, to which requests fail at
  // once until they answer again.
  UnresponsiveApps& unresponsive() { return unresponsive_; }
  HandlingCache& readings() { return readings_; }

 private:
  enum class Connection {
    kUntried,
    kUp,
    kDown,  // there was no bus to start with
    kLost,  // the bus went away; connecting again is under way
  };
  bool connect();
  bool answers();
  void lose();
  void retry();
  void scheduleRetry(double seconds);
  // Whether the host's libatspi may have its application objects filled
  // again (asked of it once).
  bool revivable();

  Connection connection_ = Connection::kUntried;
  // Whether libatspi was set up by the library, not by the host before it:
  // only its own setup may the library take down when the bus goes.
  bool ownSetup_ = false;
  RetryBackoff backoff_;
  std::uint64_t connectionNumber_ = 0;
  // Bumped by each retry scheduled: only the latest one runs.
  std::uint64_t retrySerial_ = 0;
  std::optional<bool> revivable_;
  ApplicationRevival revival_;
  BusNameWatch busAppears_;
  std::function<void()> lost_;
  std::function<void()> regained_;
  BusWatch watch_;
  platform::Log& log_;
  GlibRunLoop& runLoop_;
  HandlingCache& readings_;
  UnresponsiveApps unresponsive_{[this] { return watch_.connection(); }};
};

// The bus side's requests go through the session their caller hands them:
// it holds the connection, the applications that stopped answering and the
// readings of the handling. Their callers keep it from when they were made.

// The registry's name on the bus: the desktop object, whose children are
// the applications, is its.
inline constexpr const char* kRegistryBusName = "org.a11y.atspi.Registry";

}  // namespace axt::lindesk
