// The user's session bus, as GIO shares it within the process (the host's
// toolkit may hold the same connection).
#pragma once

#include <gio/gio.h>

#include "glue/gobject_ref.h"

namespace axt::lindesk {

// Null where there is no session bus.
inline GRef<GDBusConnection> sessionBusConnection() {
  GErrorHolder error;
  return GRef<GDBusConnection>::adopt(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, error.out()));
}

}  // namespace axt::lindesk
