// Noticing that the accessibility bus went away and that a new one came.
//
// A lost connection: libdbus tells it by a message
// of its own (Disconnected, from the local path) that it hands to the
// connection's filters when it dispatches. The accessibility bus goes away
// when its daemon or launcher dies, and a new one takes its place; libatspi
// goes on with the dead connection and never hears an event again unless
// the backend connects anew.
#pragma once

#include <dbus/dbus.h>
#include <gio/gio.h>

#include <functional>

namespace axt::lindesk {

class GlibRunLoop;

class BusWatch {
 public:
  // A loss is handled from `runLoop`'s main context.
  explicit BusWatch(GlibRunLoop& runLoop) : runLoop_(runLoop) {}
  ~BusWatch() { stop(); }
  BusWatch(const BusWatch&) = delete;
  BusWatch& operator=(const BusWatch&) = delete;

  // Watches `connection` (taking a reference) in place of any connection
  // watched before; `lost` runs once, from the main loop, after the
  // connection reported its loss. It never runs inside the dispatch that
  // reported it: that may be a request of the library's own, waiting.
  void watch(DBusConnection* connection, std::function<void()> lost);
  // Watches nothing any more; a loss already reported doesn't run `lost`.
  void stop();
  // The connection watched, or null.
  DBusConnection* connection() const { return connection_; }

 private:
  static DBusHandlerResult onMessage(DBusConnection* connection, DBusMessage* message, void* self);

  GlibRunLoop& runLoop_;
  DBusConnection* connection_ = nullptr;  // referenced while watched
  std::function<void()> lost_;
  // Bumped by every watch and stop: a loss posted for an earlier watch is
  // dropped when it runs.
  unsigned long serial_ = 0;
};

// A new bus: its launcher takes its name on the session bus
// (org.a11y.Bus) once it has started the bus.
class BusNameWatch {
 public:
  BusNameWatch() = default;
  ~BusNameWatch() { stop(); }
  BusNameWatch(const BusNameWatch&) = delete;
  BusNameWatch& operator=(const BusNameWatch&) = delete;

  // `appeared` runs from the main loop whenever the launcher's name gets
  // an owner (at once, when it has one already), until stop.
  void watch(std::function<void()> appeared);
  void stop();

 private:
  static void onAppeared(GDBusConnection* connection, const gchar* name, const gchar* owner, gpointer self);

  guint id_ = 0;
  std::function<void()> appeared_;
};

}  // namespace axt::lindesk
