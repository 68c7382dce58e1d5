// The session bus's names and their processes, and GApplication's
// interface, through GIO.
#include <gio/gio.h>

#include <memory>

#include "glue/gobject_ref.h"
#include "glue/session_bus.h"
#include "sessionbus/bus_application_ids.h"

namespace axt::lindesk {

namespace {

constexpr const char* kBusService = "org.freedesktop.DBus";
constexpr const char* kBusPath = "/org/freedesktop/DBus";
constexpr const char* kApplicationInterface = "org.gtk.Application";
// An application that doesn't answer must not hold the host for long.
constexpr gint kTimeoutMs = 300;

class SessionApplicationBus final : public ApplicationBus {
 public:
  explicit SessionApplicationBus(GRef<GDBusConnection> connection) : connection_(std::move(connection)) {}

  std::vector<std::string> names() override {
    std::vector<std::string> names;
    const GVariantPtr reply(askBus("ListNames", nullptr, G_VARIANT_TYPE("(as)")));
    if (!reply) return names;
    const GVariantPtr list(g_variant_get_child_value(reply.get(), 0));
    gsize n = 0;
    // The array is ours; the strings are the reply's.
    const std::unique_ptr<const gchar*, GFreeDeleter> strings(g_variant_get_strv(list.get(), &n));
    names.reserve(n);
    for (gsize i = 0; i < n; ++i) names.emplace_back(strings.get()[i]);
    return names;
  }

  std::optional<platform::Pid> processOf(const std::string& name) override {
    const GVariantPtr reply(
        askBus("GetConnectionUnixProcessID", g_variant_new("(s)", name.c_str()), G_VARIANT_TYPE("(u)")));
    if (!reply) return std::nullopt;
    guint32 pid = 0;
    g_variant_get(reply.get(), "(u)", &pid);
    return static_cast<platform::Pid>(pid);
  }

  bool servesApplication(const std::string& name, const std::string& path) override {
    if (!g_variant_is_object_path(path.c_str())) return false;
    GErrorHolder error;
    const GVariantPtr reply(g_dbus_connection_call_sync(
        connection_.get(), name.c_str(), path.c_str(), "org.freedesktop.DBus.Properties", "GetAll",
        g_variant_new("(s)", kApplicationInterface), G_VARIANT_TYPE("(a{sv})"), G_DBUS_CALL_FLAGS_NO_AUTO_START,
        kTimeoutMs, nullptr, error.out()));
    if (!reply) return false;
    // An object without the interface answers with no properties.
    GVariantPtr properties(g_variant_get_child_value(reply.get(), 0));
    return g_variant_n_children(properties.get()) > 0;
  }

 private:
  GVariant* askBus(const char* method, GVariant* arguments, const GVariantType* replyType) {
    GErrorHolder error;
    return g_dbus_connection_call_sync(connection_.get(), kBusService, kBusPath, kBusService, method, arguments,
                                       replyType, G_DBUS_CALL_FLAGS_NONE, kTimeoutMs, nullptr, error.out());
  }

  GRef<GDBusConnection> connection_;
};

}  // namespace

std::unique_ptr<ApplicationBus> sessionApplicationBus() {
  GRef<GDBusConnection> bus = sessionBusConnection();
  if (!bus) return nullptr;
  return std::make_unique<SessionApplicationBus>(std::move(bus));
}

}  // namespace axt::lindesk
