// The floor client's line to the accessibility bus: a private libdbus
// connection, the few AT-SPI calls it makes (each one message and one
// reply) and the signals it asked for.
#pragma once

#include <dbus/dbus.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace axbench {

struct ConnectionCloser {
  void operator()(DBusConnection* c) const;
};
struct MessageUnref {
  void operator()(DBusMessage* m) const { dbus_message_unref(m); }
};
using ConnectionPtr = std::unique_ptr<DBusConnection, ConnectionCloser>;
using MessagePtr = std::unique_ptr<DBusMessage, MessageUnref>;

struct ObjectRef {
  std::string bus;
  std::string path;
  bool operator==(const ObjectRef&) const = default;
};

struct Extents {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// One AT-SPI signal as the application sent it.
struct BusEvent {
  std::string interface;  // e.g. "org.a11y.atspi.Event.Object"
  std::string member;     // e.g. "TextCaretMoved"
  std::string detail;     // e.g. "focused"
  int detail1 = 0;
  ObjectRef source;
};

class AtspiBus {
 public:
  // Connects to the accessibility bus whose address the session bus gives.
  bool connect(std::string& error);
  int fd() const;

  // Asks applications to send the event type ("object:text-caret-moved")
  // and this connection to receive its signals (interface, member).
  bool listen(const char* eventType, const char* interface, const char* member);

  // Reads what arrived and hands each AT-SPI signal to the handler; also
  // what came in while a call waited for its reply.
  void dispatch(const std::function<void(const BusEvent&)>& handler);

  // Text interface.
  std::optional<std::pair<int, int>> selection(const ObjectRef& o);
  std::optional<std::string> text(const ObjectRef& o, int start, int end);
  std::optional<Extents> rangeExtents(const ObjectRef& o, int start, int end);
  std::optional<int> caretOffset(const ObjectRef& o);
  // Accessible interface: the state bits (AtspiStateType), the role.
  std::optional<std::uint64_t> states(const ObjectRef& o);
  std::optional<std::uint32_t> role(const ObjectRef& o);
  std::optional<std::string> applicationName(const std::string& bus);
  // The bus itself: the process behind a connection.
  std::optional<std::uint32_t> processOf(const std::string& bus);

 private:
  MessagePtr call(DBusMessage* message);
  std::optional<MessagePtr> property(const ObjectRef& o, const char* interface, const char* name);

  ConnectionPtr connection_;
  std::function<void(const BusEvent&)> handler_;
};

}  // namespace axbench
