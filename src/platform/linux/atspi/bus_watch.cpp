#include "atspi/bus_watch.h"

#include "glue/c_callback.h"
#include "glue/run_loop.h"

namespace axt::lindesk {

void BusWatch::watch(DBusConnection* connection, std::function<void()> lost) {
  stop();
  if (connection == nullptr) return;
  if (dbus_connection_add_filter(connection, &BusWatch::onMessage, this, nullptr) == 0) return;
  connection_ = dbus_connection_ref(connection);
  lost_ = std::move(lost);
}

void BusWatch::stop() {
  ++serial_;
  lost_ = nullptr;
  if (connection_ == nullptr) return;
  dbus_connection_remove_filter(connection_, &BusWatch::onMessage, this);
  dbus_connection_unref(connection_);
  connection_ = nullptr;
}

DBusHandlerResult BusWatch::onMessage(DBusConnection* /*connection*/, DBusMessage* message, void* self) {
  callFromC([message, self] {
    if (dbus_message_is_signal(message, DBUS_INTERFACE_LOCAL, "Disconnected") == 0) return;
    auto* watch = static_cast<BusWatch*>(self);
    if (!watch->lost_) return;
    // The watch lives as long as the backend, which outlives its main-loop
    // blocks; the serial tells whether this loss is still the one watched.
    const unsigned long serial = watch->serial_;
    watch->runLoop_.post([watch, serial] {
      if (watch->serial_ != serial || !watch->lost_) return;
      std::function<void()> lost = std::move(watch->lost_);
      watch->lost_ = nullptr;
      lost();
    });
  });
  // Others may want to know too (libdbus's own handling of the loss among
  // them).
  return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
}

void BusNameWatch::watch(std::function<void()> appeared) {
  stop();
  appeared_ = std::move(appeared);
  id_ = g_bus_watch_name(G_BUS_TYPE_SESSION, "org.a11y.Bus", G_BUS_NAME_WATCHER_FLAGS_NONE,
                         &BusNameWatch::onAppeared, nullptr, this, nullptr);
}

void BusNameWatch::stop() {
  if (id_ != 0) g_bus_unwatch_name(id_);
  id_ = 0;
  appeared_ = nullptr;
}

void BusNameWatch::onAppeared(GDBusConnection* /*connection*/, const gchar* /*name*/, const gchar* /*owner*/,
                              gpointer self) {
  callFromC([self] {
    auto* watch = static_cast<BusNameWatch*>(self);
    if (watch->appeared_) watch->appeared_();
  });
}

}  // namespace axt::lindesk
