#include "atspi/bus_status.h"

#include <gio/gio.h>

#include "glue/gobject_ref.h"
#include "glue/session_bus.h"

namespace axt::lindesk {

namespace {

constexpr const char* kBusName = "org.a11y.Bus";
constexpr const char* kBusPath = "/org/a11y/bus";
constexpr const char* kStatusInterface = "org.a11y.Status";
// A desktop whose accessibility service doesn't answer must not hold the
// host: the answer is "not enabled" after this long.
constexpr gint kTimeoutMs = 1000;

}  // namespace

std::optional<bool> accessibilityEnabled() {
  GRef<GDBusConnection> bus = sessionBusConnection();
  if (!bus) return std::nullopt;
  GErrorHolder error;
  const GVariantPtr reply(g_dbus_connection_call_sync(
      bus.get(), kBusName, kBusPath, "org.freedesktop.DBus.Properties", "Get",
      g_variant_new("(ss)", kStatusInterface, "IsEnabled"), G_VARIANT_TYPE("(v)"),
      G_DBUS_CALL_FLAGS_NO_AUTO_START, kTimeoutMs, nullptr, error.out()));
  if (!reply) return std::nullopt;
  GVariant* rawInner = nullptr;
  g_variant_get(reply.get(), "(v)", &rawInner);
  const GVariantPtr inner(rawInner);
  if (!inner || !g_variant_is_of_type(inner.get(), G_VARIANT_TYPE_BOOLEAN)) return std::nullopt;
  return g_variant_get_boolean(inner.get()) != FALSE;
}

bool enableAccessibility() {
  GRef<GDBusConnection> bus = sessionBusConnection();
  if (!bus) return false;
  GErrorHolder error;
  const GVariantPtr reply(g_dbus_connection_call_sync(
      bus.get(), kBusName, kBusPath, "org.freedesktop.DBus.Properties", "Set",
      g_variant_new("(ssv)", kStatusInterface, "IsEnabled", g_variant_new_boolean(TRUE)), nullptr,
      G_DBUS_CALL_FLAGS_NO_AUTO_START, kTimeoutMs, nullptr, error.out()));
  return reply != nullptr;
}

void askForAccessibilityBus() {
  GRef<GDBusConnection> bus = sessionBusConnection();
  if (!bus) return;
  g_dbus_connection_call(bus.get(), kBusName, kBusPath, kBusName, "GetAddress", nullptr, G_VARIANT_TYPE("(s)"),
                         G_DBUS_CALL_FLAGS_NONE, kTimeoutMs, nullptr, nullptr, nullptr);
}

}  // namespace axt::lindesk
