#include "atspi/atspi_session.h"

#include "atspi/bus_status.h"
#include "glue/run_loop.h"
#include "logic/atspi_layout.h"
#include "logic/request_limits.h"

namespace axt::lindesk {


void AtspiSession::follow(std::function<void()> lost, std::function<void()> regained) {
  lost_ = std::move(lost);
  regained_ = std::move(regained);
}

bool AtspiSession::ready() {
  if (connection_ == Connection::kUntried) connection_ = connect() ? Connection::kUp : Connection::kDown;
  return connection_ == Connection::kUp;
}

DBusConnection* AtspiSession::bus() { return ready() ? watch_.connection() : nullptr; }

bool AtspiSession::connect() {
  // 0: connected now; 1: set up already, by the host (its own use of
  // libatspi). Anything else: no bus, and libatspi is taken down again, so
  // that it doesn't count itself set up without one.
  const int result = atspi_init();
  if (result != 0 && result != 1) {
    atspi_exit();
    return false;
  }
  ownSetup_ = result == 0;
  atspi_set_timeout(kRequestTimeoutMs, kStartupTimeoutMs);
  watch_.watch(atspi_get_a11y_bus(), [this] { lose(); });
  if (connectionNumber_ > 0) {
    revival_.revive(watch_.connection());
    if (!answers()) {
      watch_.stop();
      atspi_exit();
      return false;
    }
  }
  ++connectionNumber_;
  return true;
}

// After a bus went away, where libatspi looks for the address first (the
// root window's property) may still name the old bus for a while; with the
// same path, the connection is made and then refused (the new bus isn't the
// one named), which libatspi doesn't notice. The registry, which the bus
// starts on demand, is asked how many applications there are.
bool AtspiSession::answers() {
  GRef<AtspiAccessible> desktop = GRef<AtspiAccessible>::adopt(atspi_get_desktop(0));
  if (!desktop) return false;
  GErrorHolder error;
  (void)atspi_accessible_get_child_count(desktop.get(), error.out());
  return !error;
}

bool AtspiSession::revivable() {
  if (!revivable_) revivable_ = layoutVerified(runningLibatspi());
  return *revivable_;
}

void AtspiSession::noteSeen(AtspiAccessible* accessible) {
  if (connection_ != Connection::kUp || !revivable()) return;
  // On the first bus an emptied application object is one that quit.
  revival_.noteSeen(accessible, connectionNumber_ > 1 ? watch_.connection() : nullptr);
  nameConnectionAsOnBus(accessible, watch_.connection());
}

void AtspiSession::lose() {
  if (connection_ != Connection::kUp || !ownSetup_) return;
  const bool following = revivable();
  connection_ = following ? Connection::kLost : Connection::kDown;
  watch_.stop();
  // First everyone lets go of the objects of the dead bus, then libatspi
  // drops its own: the desktop, the applications and the connection.
  unresponsive_.forgetAll();
  if (lost_) lost_();
  if (!following) {
    // Connecting anew would hand out emptied application objects that only
    // a known layout lets us fill. libatspi keeps its state of the dead
    // bus, of which nothing is asked any more: no more events come, every
    // request fails as without a bus.
    log_.writeLine(
        "The accessibility bus was replaced: applications are no longer tracked until the host restarts "
        "(its libatspi is not one whose objects the library can carry over to a new bus)");
    return;
  }
  {
    GRef<AtspiAccessible> desktop = GRef<AtspiAccessible>::adopt(atspi_get_desktop(0));
    revival_.busLost(desktop.get());
  }
  atspi_exit();
  // The new bus is tried as soon as its launcher is on the session bus,
  // and now and then meanwhile.
  busAppears_.watch([this] { scheduleRetry(0); });
  askForAccessibilityBus();
  scheduleRetry(backoff_.start());
}

void AtspiSession::retrySoon() {
  if (connection_ == Connection::kLost) scheduleRetry(0);
}

void AtspiSession::scheduleRetry(double seconds) {
  const std::uint64_t serial = ++retrySerial_;
  runLoop_.postAfter(seconds, [this, serial] {
    if (serial == retrySerial_) retry();
  });
}

void AtspiSession::retry() {
  if (connection_ != Connection::kLost) return;
  if (connect()) {
    connection_ = Connection::kUp;
    busAppears_.stop();
    if (regained_) regained_();
    return;
  }
  // The launcher that died left its address where libatspi looks first; a
  // new one, which the session bus starts when asked for the address, puts
  // its own there.
  askForAccessibilityBus();
  scheduleRetry(backoff_.failed());
}

GRef<AtspiAccessible> AtspiSession::desktopObject() {
  if (!ready()) return {};
  return GRef<AtspiAccessible>::adopt(atspi_get_desktop(0));
}

}  // namespace axt::lindesk
