#include "atspi/request_guard.h"

#include "atspi/atspi_session.h"
#include "logic/handles.h"
#include "logic/peer_connections.h"
#include "logic/request_limits.h"

namespace axt::lindesk {

bool reachable(AtspiAccessible* accessible) {
  if (accessible == nullptr) return false;
  const AtspiApplication* app = accessible->parent.app;
  return app != nullptr && app->bus != nullptr && dbus_connection_get_is_connected(app->bus) != 0;
}

void nameConnectionAsOnBus(AtspiAccessible* accessible, DBusConnection* bus) {
  if (bus == nullptr || !reachable(accessible)) return;
  nameAsOnBus(accessible->parent.app->bus, dbus_bus_get_unique_name(bus));
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

}  // namespace axt::lindesk
