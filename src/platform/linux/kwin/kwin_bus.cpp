// KWin's scripting interface on the session bus, through GIO.
#include <gio/gio.h>

#include <memory>
#include <string>

#include "glue/gobject_ref.h"
#include "glue/session_bus.h"
#include "kwin/kwin_scripting.h"
#include "kwin/kwin_service.h"

namespace axt::lindesk {

namespace {

constexpr const char* kScriptingPath = "/Scripting";
constexpr const char* kScriptingInterface = "org.kde.kwin.Scripting";
constexpr const char* kScriptInterface = "org.kde.kwin.Script";
// A compositor that doesn't answer must not hold the host for long: each
// request gives up after this.
constexpr gint kTimeoutMs = 500;

class KWinBus final : public ScriptingBus {
 public:
  explicit KWinBus(GRef<GDBusConnection> connection) : connection_(std::move(connection)) {}

  std::optional<int> loadScript(const std::string& file, const std::string& name) override {
    GErrorHolder error;
    const GVariantPtr reply(call(kScriptingPath, kScriptingInterface, "loadScript",
                                 g_variant_new("(ss)", file.c_str(), name.c_str()), G_VARIANT_TYPE("(i)"), error));
    if (!reply) return std::nullopt;
    gint32 id = -1;
    g_variant_get(reply.get(), "(i)", &id);
    return id;
  }

  ScriptRun run(const std::string& objectPath) override {
    GErrorHolder error;
    const GVariantPtr reply(call(objectPath.c_str(), kScriptInterface, "run", nullptr, nullptr, error));
    if (reply) return ScriptRun::kRan;
    const bool unknown = error.get() != nullptr &&
                         (g_error_matches(error.get(), G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_OBJECT) ||
                          g_error_matches(error.get(), G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_METHOD));
    return unknown ? ScriptRun::kNoSuchObject : ScriptRun::kFailed;
  }

  void unloadScript(const std::string& name) override {
    GErrorHolder error;
    const GVariantPtr reply(call(kScriptingPath, kScriptingInterface, "unloadScript",
                                 g_variant_new("(s)", name.c_str()), nullptr, error));
  }

 private:
  GVariant* call(const char* path, const char* interface, const char* method, GVariant* arguments,
                 const GVariantType* replyType, GErrorHolder& error) {
    return g_dbus_connection_call_sync(connection_.get(), kKWinService, path, interface, method, arguments, replyType,
                                       G_DBUS_CALL_FLAGS_NO_AUTO_START, kTimeoutMs, nullptr, error.out());
  }

  GRef<GDBusConnection> connection_;
};

}  // namespace

std::string kwinOwnerOn(GDBusConnection* bus) { return nameOwnerOn(bus, kKWinService, kTimeoutMs); }

std::string kwinOwner() {
  const GRef<GDBusConnection> bus = sessionBusConnection();
  return bus ? kwinOwnerOn(bus.get()) : std::string();
}

std::unique_ptr<ScriptingBus> kwinScriptingBus() {
  GRef<GDBusConnection> bus = sessionBusConnection();
  if (!bus) return nullptr;
  return std::make_unique<KWinBus>(std::move(bus));
}

}  // namespace axt::lindesk
