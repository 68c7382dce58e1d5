// The backend's connection to the accessibility bus: started once, on the
// main thread, the first time anything needs it; with the events of the
// bus delivered through the default GLib main context, which the host runs.
// Also what every request over it shares: the error code for a failed
// request, and walking an object's children.
#pragma once

#include <atspi/atspi.h>

#include <functional>
#include <string>
#include <vector>

#include "gobject_ref.h"
#include "platform/values.h"
#include "unresponsive_apps.h"

namespace axt::lindesk {

class AtspiSession {
 public:
  // True once the accessibility bus has been reached. The first call
  // connects.
  bool ready();

  // The desktop object whose children are the applications on the bus;
  // empty when the bus can't be reached.
  GRef<AtspiAccessible> desktopObject();

  // The applications that stopped answering, to which requests fail at
  // once until they answer again.
  UnresponsiveApps& unresponsive() { return unresponsive_; }

 private:
  enum class Connection { kUntried, kUp, kDown };
  Connection connection_ = Connection::kUntried;
  UnresponsiveApps unresponsive_;
};

// The error code for a failed request to an object of the application at
// `busName` (atspi_errors.h). An exchange that libatspi reports as failed
// without saying why is told apart by asking the bus whether the
// application is still there: gone, it is an invalid element; there, it
// didn't answer (kCannotComplete); the bus itself gone, kAPIDisabled. An
// application that didn't answer is marked unresponsive in the session.
platform::AXError failureCode(const GErrorHolder& error, const std::string& busName);

// One request (or a few that belong together) to an object's application.
// Refused while the application is marked unresponsive: the caller then
// fails at once, as a timed-out request does. One that took the whole
// limit, whether or not libatspi reported it failed, marks the application.
class Asking {
 public:
  explicit Asking(AtspiAccessible* accessible);
  ~Asking();
  Asking(const Asking&) = delete;
  Asking& operator=(const Asking&) = delete;
  bool refused() const { return refused_; }

 private:
  std::string busName_;
  gint64 started_ = 0;
  bool refused_ = false;
};

// True when the object's application has gone or the object was destroyed.
bool isDefunct(AtspiAccessible* accessible);

// The first child of `parent` that `wanted` accepts, in order; children
// that can't be read are passed over. Empty when none is.
GRef<AtspiAccessible> findChild(AtspiAccessible* parent,
                                const std::function<bool(AtspiAccessible* child)>& wanted);

// The accessibles of an array that AT-SPI handed over with their references.
std::vector<GRef<AtspiAccessible>> adoptAccessibles(GArrayPtr array);

}  // namespace axt::lindesk
