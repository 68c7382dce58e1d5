// KDE's shortcut service on the session bus, through GIO.
#include <gio/gio.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "glue/gobject_ref.h"
#include "glue/session_bus.h"
#include "kwin/global_accel.h"

namespace axt::lindesk {

namespace {

constexpr const char* kService = "org.kde.kglobalaccel";
constexpr const char* kPath = "/kglobalaccel";
constexpr const char* kInterface = "org.kde.KGlobalAccel";
constexpr const char* kComponentInterface = "org.kde.kglobalaccel.Component";
// The service's flags for setShortcut: the action is there from now on
// (SetPresent), with the keys given, not those the settings remember
// (NoAutoloading).
constexpr guint32 kSetPresent = 2;
constexpr guint32 kNoAutoloading = 4;
// A service that doesn't answer must not hold the host for long. A
// registration is given longer, once, at the start: a KWin that has just
// started can take a second over its first.
constexpr gint kTimeoutMs = 500;
constexpr gint kRegistrationTimeoutMs = 2000;

GVariant* actionId(const ShortcutAction& a) {
  const gchar* words[] = {a.component.c_str(), a.action.c_str(), a.componentText.c_str(), a.actionText.c_str()};
  return g_variant_new_strv(words, 4);
}

class KdeGlobalAccel final : public GlobalAccelBus {
 public:
  KdeGlobalAccel(GRef<GDBusConnection> bus, std::string owner, std::string address)
      : bus_(std::move(bus)), owner_(std::move(owner)), address_(std::move(address)) {}
  KdeGlobalAccel(const KdeGlobalAccel&) = delete;
  KdeGlobalAccel& operator=(const KdeGlobalAccel&) = delete;
  ~KdeGlobalAccel() override {
    if (subscription_ != 0) g_dbus_connection_signal_unsubscribe(bus_.get(), subscription_);
  }

  KeyHolding holderOf(int key) override {
    const GVariantPtr reply(call(kPath, kInterface, "action", g_variant_new("(i)", key), G_VARIANT_TYPE("(as)")));
    if (!reply) return {};
    KeyHolding holding{true, std::nullopt};
    GVariantPtr words(g_variant_get_child_value(reply.get(), 0));
    gsize n = 0;
    const gchar** strings = g_variant_get_strv(words.get(), &n);
    if (n >= 2) holding.holder = KeyHolder{strings[0], strings[1]};
    g_free(strings);
    return holding;
  }

  std::optional<bool> componentActive(const std::string& component) override {
    const std::string path = "/component/" + component;
    if (!g_variant_is_object_path(path.c_str())) return std::nullopt;
    const GVariantPtr reply(call(path.c_str(), kComponentInterface, "isActive", nullptr, G_VARIANT_TYPE("(b)")));
    if (!reply) return std::nullopt;
    gboolean active = FALSE;
    g_variant_get(reply.get(), "(b)", &active);
    return active != FALSE;
  }

  std::optional<std::vector<int>> take(const ShortcutAction& action, int key) override {
    if (!GVariantPtr(call(kPath, kInterface, "doRegister", g_variant_new("(@as)", actionId(action)), nullptr,
                          kRegistrationTimeoutMs))) {
      return std::nullopt;
    }
    const gint32 keys[] = {key};
    GVariant* list = g_variant_new_fixed_array(G_VARIANT_TYPE_INT32, keys, 1, sizeof(gint32));
    const GVariantPtr reply(call(kPath, kInterface, "setShortcut",
                                 g_variant_new("(@as@aiu)", actionId(action), list, kSetPresent | kNoAutoloading),
                                 G_VARIANT_TYPE("(ai)"), kRegistrationTimeoutMs));
    if (!reply) return std::nullopt;
    GVariantPtr given(g_variant_get_child_value(reply.get(), 0));
    gsize n = 0;
    const auto* codes = static_cast<const gint32*>(g_variant_get_fixed_array(given.get(), &n, sizeof(gint32)));
    return std::vector<int>(codes, codes + n);
  }

  void unregister(const ShortcutAction& action) override {
    const GVariantPtr reply(call(kPath, kInterface, "unregister",
                                 g_variant_new("(ss)", action.component.c_str(), action.action.c_str()),
                                 G_VARIANT_TYPE("(b)")));
  }

  bool listen(std::function<void(const std::string&, const std::string&)> pressed) override {
    if (subscription_ != 0) return true;
    pressed_ = std::move(pressed);
    // The presses come on the context that is the thread's default as the
    // subscription is made: the main context, whose loop the library's is.
    g_main_context_push_thread_default(g_main_context_default());
    subscription_ = g_dbus_connection_signal_subscribe(bus_.get(), owner_.c_str(), kComponentInterface,
                                                       "globalShortcutPressed", nullptr, nullptr,
                                                       G_DBUS_SIGNAL_FLAGS_NONE, &KdeGlobalAccel::signalled, this,
                                                       nullptr);
    g_main_context_pop_thread_default(g_main_context_default());
    return subscription_ != 0;
  }

  std::string busAddress() const override { return address_; }

 private:
  static void signalled(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                        GVariant* parameters, gpointer self) {
    if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ssx)"))) return;
    const gchar* component = nullptr;
    const gchar* action = nullptr;
    gint64 timestamp = 0;
    g_variant_get(parameters, "(&s&sx)", &component, &action, &timestamp);
    auto* accel = static_cast<KdeGlobalAccel*>(self);
    if (accel->pressed_) accel->pressed_(component, action);
  }

  GVariant* call(const char* path, const char* interface, const char* method, GVariant* arguments,
                 const GVariantType* replyType, gint timeoutMs = kTimeoutMs) {
    GErrorHolder error;
    return g_dbus_connection_call_sync(bus_.get(), owner_.c_str(), path, interface, method, arguments, replyType,
                                       G_DBUS_CALL_FLAGS_NO_AUTO_START, timeoutMs, nullptr, error.out());
  }

  GRef<GDBusConnection> bus_;
  std::string owner_;
  std::string address_;
  guint subscription_ = 0;
  std::function<void(const std::string&, const std::string&)> pressed_;
};

}  // namespace

std::unique_ptr<GlobalAccelBus> kdeGlobalAccel(const std::string& owner) {
  if (owner.empty()) return nullptr;
  GRef<GDBusConnection> bus = sessionBusConnection();
  if (!bus) return nullptr;
  // The calls and the signals go to and come from that connection, never
  // another that claims the name later.
  if (nameOwnerOn(bus.get(), kService, kTimeoutMs) != owner) return nullptr;
  GErrorHolder error;
  const GCharPtr address(g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, error.out()));
  if (!address) return nullptr;
  return std::make_unique<KdeGlobalAccel>(std::move(bus), owner, address.get());
}

}  // namespace axt::lindesk
