// The user's session bus, as GIO shares it within the process (the host's
// toolkit may hold the same connection).
#pragma once

#include <gio/gio.h>

#include <string>

#include "glue/gobject_ref.h"

namespace axt::lindesk {

// Null where there is no session bus.
inline GRef<GDBusConnection> sessionBusConnection() {
  GErrorHolder error;
  return GRef<GDBusConnection>::adopt(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, error.out()));
}

// The unique name that owns `name` on `bus` now; empty when none does or
// the bus didn't answer within `timeoutMs`.
inline std::string nameOwnerOn(GDBusConnection* bus, const char* name, gint timeoutMs) {
  GErrorHolder error;
  const GVariantPtr reply(g_dbus_connection_call_sync(
      bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetNameOwner",
      g_variant_new("(s)", name), G_VARIANT_TYPE("(s)"), G_DBUS_CALL_FLAGS_NONE, timeoutMs, nullptr, error.out()));
  if (!reply) return {};
  const gchar* owner = nullptr;
  g_variant_get(reply.get(), "(&s)", &owner);
  return owner != nullptr ? std::string(owner) : std::string();
}

}  // namespace axt::lindesk
