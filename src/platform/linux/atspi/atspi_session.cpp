#include "atspi/atspi_session.h"

#include <dbus/dbus.h>

#include <algorithm>
#include <memory>

#include "atspi/bus_status.h"
#include "atspi/object_facts.h"
#include "glue/dbus_message.h"
#include "glue/run_loop.h"
#include "logic/atspi_errors.h"
#include "logic/atspi_layout.h"
#include "logic/handles.h"
#include "logic/peer_connections.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

// How long one request to another application may take before it counts as
// failed, in milliseconds; an application that doesn't answer must not hold
// the host's main thread for longer. The second figure is AT-SPI's grace for
// an application that is starting up.
constexpr gint kRequestTimeoutMs = 1500;
constexpr gint kStartupTimeoutMs = 3000;

// A request that took nearly the whole limit went unanswered, whatever
// libatspi made of it (`elapsedUs` in microseconds).
bool tookNearlyTheLimit(gint64 elapsedUs) { return elapsedUs >= gint64{kRequestTimeoutMs} * 1000 * 9 / 10; }

// Connecting again after the bus went away: soon, then less and less often.
constexpr double kFirstRetrySeconds = 0.25;
constexpr double kLongestRetrySeconds = 8.0;

class DBusErrorHolder {
 public:
  DBusErrorHolder() { dbus_error_init(&error_); }
  ~DBusErrorHolder() { dbus_error_free(&error_); }
  DBusErrorHolder(const DBusErrorHolder&) = delete;
  DBusErrorHolder& operator=(const DBusErrorHolder&) = delete;
  DBusError* get() { return &error_; }
  bool set() const { return dbus_error_is_set(&error_) != 0; }
  bool is(const char* name) const { return dbus_error_has_name(&error_, name) != 0; }

 private:
  DBusError error_;
};

// What became of an application after an exchange with it failed: the bus
// is asked (NameHasOwner) whether its name still has an owner.
AtspiFailure diagnoseExchange(DBusConnection* bus, const std::string& busName) {
  if (bus == nullptr || dbus_connection_get_is_connected(bus) == 0) return AtspiFailure::kNoBus;
  if (busName.empty()) return AtspiFailure::kExchangeFailed;
  DBusMessagePtr call(dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS,
                                                   "NameHasOwner"));
  const char* name = busName.c_str();
  if (!call || dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID) == 0) {
    return AtspiFailure::kExchangeFailed;
  }
  DBusErrorHolder error;
  DBusMessagePtr reply(
      dbus_connection_send_with_reply_and_block(bus, call.get(), kRequestTimeoutMs, error.get()));
  if (error.set()) {
    if (error.is(DBUS_ERROR_DISCONNECTED)) return AtspiFailure::kNoBus;
    if (error.is(DBUS_ERROR_NO_REPLY) || error.is(DBUS_ERROR_TIMEOUT)) return AtspiFailure::kTimedOut;
    return AtspiFailure::kExchangeFailed;
  }
  dbus_bool_t owned = FALSE;
  if (!reply || dbus_message_get_args(reply.get(), error.get(), DBUS_TYPE_BOOLEAN, &owned, DBUS_TYPE_INVALID) == 0) {
    return AtspiFailure::kExchangeFailed;
  }
  return owned != 0 ? AtspiFailure::kExchangeFailed : AtspiFailure::kVanished;
}

// Requests to the object's application end at the limit, over a peer
// connection too (peer_connections.h). `bus`: the session's connection.
void nameConnectionAsOnBus(AtspiAccessible* accessible, DBusConnection* bus) {
  if (bus == nullptr || !reachable(accessible)) return;
  nameAsOnBus(accessible->parent.app->bus, dbus_bus_get_unique_name(bus));
}

}  // namespace

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

void AtspiSession::meet(AtspiAccessible* accessible) {
  if (connection_ != Connection::kUp || !revivable()) return;
  // On the first bus an emptied application object is one that quit.
  revival_.meet(accessible, connectionNumber_ > 1 ? watch_.connection() : nullptr);
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
  retryDelay_ = kFirstRetrySeconds;
  scheduleRetry(retryDelay_);
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
  retryDelay_ = std::min(retryDelay_ * 2, kLongestRetrySeconds);
  scheduleRetry(retryDelay_);
}

GRef<AtspiAccessible> AtspiSession::desktopObject() {
  if (!ready()) return {};
  return GRef<AtspiAccessible>::adopt(atspi_get_desktop(0));
}

platform::AXError failureCode(AtspiSession& session, const GErrorHolder& error, const std::string& busName) {
  if (!error) return axerr::kCannotComplete;
  const bool tookTheLimit = tookNearlyTheLimit(error.sinceAsked());
  AtspiFailure failure = classifyFailure(*error.get());
  if (failure == AtspiFailure::kExchangeFailed) failure = diagnoseExchange(session.bus(), busName);
  // A request that timed out marks its application. An exchange that failed
  // without saying why does only when it took the whole limit: toolkits
  // refuse what they don't offer that way too (GTK 4 the cache), at once.
  if (failure == AtspiFailure::kTimedOut || (failure == AtspiFailure::kExchangeFailed && tookTheLimit)) {
    session.unresponsive().markUnanswered(busName);
  }
  return codeForFailure(failure);
}

bool reachable(AtspiAccessible* accessible) {
  if (accessible == nullptr) return false;
  const AtspiApplication* app = accessible->parent.app;
  return app != nullptr && app->bus != nullptr && dbus_connection_get_is_connected(app->bus) != 0;
}

AppRequest::AppRequest(AtspiSession& session, AtspiAccessible* accessible) : unresponsive_(session.unresponsive()) {
  if (accessible == nullptr) return;
  busName_ = keyOf(accessible).busName;
  refused_ = !reachable(accessible) || session.unresponsive().holds(busName_);
  // libatspi makes the application's peer connection after it first met
  // it; the first request after that names it.
  if (!refused_) nameConnectionAsOnBus(accessible, session.bus());
  started_ = g_get_monotonic_time();
}

AppRequest::~AppRequest() {
  // libatspi says nothing of some failed requests (a state set, for one):
  // a request that took nearly the whole limit went unanswered.
  if (refused_ || busName_.empty()) return;
  if (tookNearlyTheLimit(g_get_monotonic_time() - started_)) {
    unresponsive_.markUnanswered(busName_);
  }
}

bool isDefunct(AtspiSession& session, AtspiAccessible* accessible) {
  if (!reachable(accessible)) return true;
  // Unanswered isn't gone (no states then): the caller finds out from its
  // own request.
  GRef<AtspiStateSet> states = statesOf(session, accessible);
  return hasState(states.get(), ATSPI_STATE_DEFUNCT);
}

GRef<AtspiAccessible> findChild(AtspiSession& session, AtspiAccessible* parent,
                                const std::function<bool(AtspiAccessible* child)>& wanted) {
  if (!reachable(parent)) return {};
  const std::string busName = keyOf(parent).busName;
  gint count = 0;
  {
    const AppRequest request(session, parent);
    if (request.refused()) return {};
    GErrorHolder error;
    count = atspi_accessible_get_child_count(parent, error.out());
    if (error) {
      (void)failureCode(session, error, busName);
      return {};
    }
  }
  for (gint i = 0; i < count; ++i) {
    GRef<AtspiAccessible> child;
    {
      // Refused too once an earlier request (of this walk or of `wanted`)
      // found the application unresponsive: the rest isn't waited for.
      const AppRequest request(session, parent);
      if (request.refused()) return {};
      GErrorHolder childError;
      child = GRef<AtspiAccessible>::adopt(atspi_accessible_get_child_at_index(parent, i, childError.out()));
      if (childError) {
        (void)failureCode(session, childError, busName);
        continue;
      }
    }
    if (!child) continue;
    session.meet(child.get());
    if (reachable(child.get()) && wanted(child.get())) return child;
  }
  return {};
}

std::vector<GRef<AtspiAccessible>> adoptAccessibles(GArrayPtr array) {
  std::vector<GRef<AtspiAccessible>> out;
  if (!array) return out;
  out.reserve(array->len);
  for (guint i = 0; i < array->len; ++i) {
    out.push_back(GRef<AtspiAccessible>::adopt(g_array_index(array.get(), AtspiAccessible*, i)));
  }
  return out;
}

}  // namespace axt::lindesk
