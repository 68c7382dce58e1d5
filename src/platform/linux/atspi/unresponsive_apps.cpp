#include "atspi/unresponsive_apps.h"

#include <dbus/dbus.h>

#include <memory>

#include "glue/c_callback.h"
#include "glue/dbus_message.h"

namespace axt::lindesk {

namespace {

constexpr guint kProbeIntervalMs = 500;
// Longer than the interval: an answer on its way isn't asked for again.
constexpr int kProbeTimeoutMs = 1000;

}  // namespace

// What a question in flight needs when its answer (or its timeout) comes.
struct UnresponsiveApps::Probe {
  UnresponsiveApps* apps;
  std::string busName;
};

UnresponsiveApps::~UnresponsiveApps() = default;

void UnresponsiveApps::markUnanswered(const std::string& busName) {
  if (busName.empty()) return;
  marked_.try_emplace(busName, false);
  if (!timer_) {
    timer_.reset(g_timeout_source_new(kProbeIntervalMs));
    g_source_set_callback(timer_.get(), &UnresponsiveApps::onTick, this, nullptr);
    g_source_attach(timer_.get(), nullptr);
  }
}

bool UnresponsiveApps::holds(const std::string& busName) const { return marked_.count(busName) != 0; }

void UnresponsiveApps::forgetAll() {
  marked_.clear();
  timer_.reset();
}

gboolean UnresponsiveApps::onTick(gpointer self) {
  return callFromC<gboolean>(G_SOURCE_REMOVE, [self]() -> gboolean {
    auto* apps = static_cast<UnresponsiveApps*>(self);
    apps->probeAll();
    if (!apps->marked_.empty()) return G_SOURCE_CONTINUE;
    // Nothing left to ask: the timer ends, and a new mark starts another.
    apps->timer_.reset();
    return G_SOURCE_REMOVE;
  });
}

void UnresponsiveApps::probeAll() {
  DBusConnection* bus = bus_ ? bus_() : nullptr;
  if (bus == nullptr || dbus_connection_get_is_connected(bus) == 0) {
    // No bus: every request fails on its own, without waiting.
    marked_.clear();
    return;
  }
  for (auto& [name, asking] : marked_) {
    if (asking) continue;
    const DBusMessagePtr call(dbus_message_new_method_call(name.c_str(), "/org/a11y/atspi/accessible/root",
                                                           "org.freedesktop.DBus.Properties", "Get"));
    const char* interface = "org.a11y.atspi.Accessible";
    const char* property = "Name";
    if (!call || dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &property,
                                          DBUS_TYPE_INVALID) == 0) {
      continue;
    }
    DBusPendingCall* pending = nullptr;
    if (dbus_connection_send_with_reply(bus, call.get(), &pending, kProbeTimeoutMs) == 0 || pending == nullptr) {
      continue;
    }
    asking = true;
    auto* probe = new Probe{this, name};
    dbus_pending_call_set_notify(
        pending,
        [](DBusPendingCall* done, void* data) {
          callFromC([done, data] {
            const auto* p = static_cast<const Probe*>(data);
            const DBusMessagePtr reply(dbus_pending_call_steal_reply(done));
            // Any answer of the application's own, an error included, says
            // it answers again; the library's own timeout says it doesn't.
            const bool silent = !reply || (dbus_message_get_type(reply.get()) == DBUS_MESSAGE_TYPE_ERROR &&
                                           dbus_message_is_error(reply.get(), DBUS_ERROR_NO_REPLY));
            p->apps->probeAnswered(p->busName, silent);
          });
        },
        probe, [](void* data) { delete static_cast<Probe*>(data); });
    dbus_pending_call_unref(pending);
  }
}

void UnresponsiveApps::probeAnswered(const std::string& busName, bool stillUnresponsive) {
  auto it = marked_.find(busName);
  if (it == marked_.end()) return;
  if (stillUnresponsive) {
    it->second = false;  // asked again at the next tick
  } else {
    marked_.erase(it);
  }
}

}  // namespace axt::lindesk
