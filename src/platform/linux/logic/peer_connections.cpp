#include "logic/peer_connections.h"

namespace axt::lindesk {

bool nameAsOnBus(DBusConnection* connection, const char* ourName) {
  if (connection == nullptr || ourName == nullptr || ourName[0] == '\0') return false;
  // libdbus takes a connection's name once: one it has stays.
  if (dbus_bus_get_unique_name(connection) != nullptr) return false;
  return dbus_bus_set_unique_name(connection, ourName) != 0;
}

}  // namespace axt::lindesk
