#include "atspi_bus.h"

#include <utility>

namespace axbench {

namespace {

constexpr int kTimeoutMs = 3000;
constexpr const char* kText = "org.a11y.atspi.Text";
constexpr const char* kAccessible = "org.a11y.atspi.Accessible";
constexpr const char* kRootPath = "/org/a11y/atspi/accessible/root";

class ErrorHolder {
 public:
  ErrorHolder() { dbus_error_init(&error_); }
  ~ErrorHolder() { dbus_error_free(&error_); }
  ErrorHolder(const ErrorHolder&) = delete;
  ErrorHolder& operator=(const ErrorHolder&) = delete;
  DBusError* get() { return &error_; }
  bool set() const { return dbus_error_is_set(&error_) != 0; }
  std::string text() const { return set() ? std::string(error_.name) + ": " + error_.message : std::string(); }

 private:
  DBusError error_;
};

DBusMessage* method(const ObjectRef& o, const char* interface, const char* name) {
  return dbus_message_new_method_call(o.bus.c_str(), o.path.c_str(), interface, name);
}

// The basic value inside a variant reply.
bool variantValue(DBusMessage* reply, int type, void* out) {
  DBusMessageIter it;
  DBusMessageIter inner;
  if (dbus_message_iter_init(reply, &it) == 0 || dbus_message_iter_get_arg_type(&it) != DBUS_TYPE_VARIANT) {
    return false;
  }
  dbus_message_iter_recurse(&it, &inner);
  if (dbus_message_iter_get_arg_type(&inner) != type) return false;
  dbus_message_iter_get_basic(&inner, out);
  return true;
}

}  // namespace

void ConnectionCloser::operator()(DBusConnection* c) const {
  dbus_connection_close(c);
  dbus_connection_unref(c);
}

bool AtspiBus::connect(std::string& error) {
  ErrorHolder e;
  DBusConnection* session = dbus_bus_get_private(DBUS_BUS_SESSION, e.get());
  if (session == nullptr) {
    error = "no session bus: " + e.text();
    return false;
  }
  const ConnectionPtr sessionOwned(session);
  dbus_connection_set_exit_on_disconnect(session, FALSE);
  MessagePtr ask(dbus_message_new_method_call("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
  MessagePtr reply(dbus_connection_send_with_reply_and_block(session, ask.get(), kTimeoutMs, e.get()));
  const char* address = nullptr;
  if (!reply || dbus_message_get_args(reply.get(), e.get(), DBUS_TYPE_STRING, &address, DBUS_TYPE_INVALID) == 0) {
    error = "no accessibility bus address: " + e.text();
    return false;
  }
  connection_.reset(dbus_connection_open_private(address, e.get()));
  if (!connection_ || dbus_bus_register(connection_.get(), e.get()) == 0) {
    error = "can't join the accessibility bus: " + e.text();
    connection_.reset();
    return false;
  }
  dbus_connection_set_exit_on_disconnect(connection_.get(), FALSE);
  dbus_connection_add_filter(
      connection_.get(),
      [](DBusConnection*, DBusMessage* m, void* self) -> DBusHandlerResult {
        auto* bus = static_cast<AtspiBus*>(self);
        if (dbus_message_get_type(m) != DBUS_MESSAGE_TYPE_SIGNAL || !bus->handler_) {
          return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
        }
        const char* interface = dbus_message_get_interface(m);
        const char* member = dbus_message_get_member(m);
        const char* sender = dbus_message_get_sender(m);
        const char* path = dbus_message_get_path(m);
        DBusMessageIter it;
        const char* detail = nullptr;
        dbus_int32_t detail1 = 0;
        if (interface == nullptr || member == nullptr || sender == nullptr || path == nullptr ||
            dbus_message_iter_init(m, &it) == 0 || dbus_message_iter_get_arg_type(&it) != DBUS_TYPE_STRING) {
          return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
        }
        dbus_message_iter_get_basic(&it, &detail);
        if (dbus_message_iter_next(&it) != 0 && dbus_message_iter_get_arg_type(&it) == DBUS_TYPE_INT32) {
          dbus_message_iter_get_basic(&it, &detail1);
        }
        bus->handler_(BusEvent{interface, member, detail, detail1, ObjectRef{sender, path}});
        return DBUS_HANDLER_RESULT_HANDLED;
      },
      this, nullptr);
  return true;
}

int AtspiBus::fd() const {
  int fd = -1;
  if (connection_) dbus_connection_get_unix_fd(connection_.get(), &fd);
  return fd;
}

bool AtspiBus::listen(const char* eventType, const char* interface, const char* member) {
  const std::string rule = std::string("type='signal',interface='") + interface + "',member='" + member + "'";
  ErrorHolder e;
  dbus_bus_add_match(connection_.get(), rule.c_str(), e.get());
  if (e.set()) return false;
  MessagePtr m(dbus_message_new_method_call("org.a11y.atspi.Registry", "/org/a11y/atspi/registry",
                                            "org.a11y.atspi.Registry", "RegisterEvent"));
  DBusMessageIter it;
  DBusMessageIter none;
  const char* empty = "";
  dbus_message_iter_init_append(m.get(), &it);
  dbus_message_iter_append_basic(&it, DBUS_TYPE_STRING, &eventType);
  dbus_message_iter_open_container(&it, DBUS_TYPE_ARRAY, "s", &none);
  dbus_message_iter_close_container(&it, &none);
  dbus_message_iter_append_basic(&it, DBUS_TYPE_STRING, &empty);
  return call(m.release()) != nullptr;
}

void AtspiBus::dispatch(const std::function<void(const BusEvent&)>& handler) {
  handler_ = handler;
  DBusConnection* c = connection_.get();
  dbus_connection_read_write(c, 0);
  // A handler's calls may read further signals into the queue.
  while (dbus_connection_dispatch(c) == DBUS_DISPATCH_DATA_REMAINS) {
  }
  handler_ = nullptr;
}

MessagePtr AtspiBus::call(DBusMessage* message) {
  MessagePtr owned(message);
  if (!owned) return nullptr;
  ErrorHolder e;
  MessagePtr reply(dbus_connection_send_with_reply_and_block(connection_.get(), owned.get(), kTimeoutMs, e.get()));
  if (e.set()) return nullptr;
  return reply;
}

std::optional<MessagePtr> AtspiBus::property(const ObjectRef& o, const char* interface, const char* name) {
  DBusMessage* m = method(o, "org.freedesktop.DBus.Properties", "Get");
  if (m == nullptr) return std::nullopt;
  dbus_message_append_args(m, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID);
  MessagePtr reply = call(m);
  if (!reply) return std::nullopt;
  return reply;
}

std::optional<std::pair<int, int>> AtspiBus::selection(const ObjectRef& o) {
  DBusMessage* m = method(o, kText, "GetSelection");
  const dbus_int32_t index = 0;
  dbus_message_append_args(m, DBUS_TYPE_INT32, &index, DBUS_TYPE_INVALID);
  MessagePtr reply = call(m);
  dbus_int32_t start = 0;
  dbus_int32_t end = 0;
  if (!reply || dbus_message_get_args(reply.get(), nullptr, DBUS_TYPE_INT32, &start, DBUS_TYPE_INT32, &end,
                                      DBUS_TYPE_INVALID) == 0) {
    return std::nullopt;
  }
  return std::pair<int, int>(start, end);
}

std::optional<std::string> AtspiBus::text(const ObjectRef& o, int start, int end) {
  DBusMessage* m = method(o, kText, "GetText");
  const dbus_int32_t s = start;
  const dbus_int32_t e = end;
  dbus_message_append_args(m, DBUS_TYPE_INT32, &s, DBUS_TYPE_INT32, &e, DBUS_TYPE_INVALID);
  MessagePtr reply = call(m);
  const char* text = nullptr;
  if (!reply || dbus_message_get_args(reply.get(), nullptr, DBUS_TYPE_STRING, &text, DBUS_TYPE_INVALID) == 0) {
    return std::nullopt;
  }
  return std::string(text);
}

std::optional<Extents> AtspiBus::rangeExtents(const ObjectRef& o, int start, int end) {
  DBusMessage* m = method(o, kText, "GetRangeExtents");
  const dbus_int32_t s = start;
  const dbus_int32_t e = end;
  const dbus_uint32_t screen = 0;
  dbus_message_append_args(m, DBUS_TYPE_INT32, &s, DBUS_TYPE_INT32, &e, DBUS_TYPE_UINT32, &screen,
                           DBUS_TYPE_INVALID);
  MessagePtr reply = call(m);
  Extents r;
  if (!reply || dbus_message_get_args(reply.get(), nullptr, DBUS_TYPE_INT32, &r.x, DBUS_TYPE_INT32, &r.y,
                                      DBUS_TYPE_INT32, &r.width, DBUS_TYPE_INT32, &r.height,
                                      DBUS_TYPE_INVALID) == 0) {
    return std::nullopt;
  }
  return r;
}

std::optional<int> AtspiBus::caretOffset(const ObjectRef& o) {
  std::optional<MessagePtr> reply = property(o, kText, "CaretOffset");
  dbus_int32_t offset = 0;
  if (!reply || !variantValue(reply->get(), DBUS_TYPE_INT32, &offset)) return std::nullopt;
  return offset;
}

std::optional<std::uint64_t> AtspiBus::states(const ObjectRef& o) {
  MessagePtr reply = call(method(o, kAccessible, "GetState"));
  DBusMessageIter it;
  DBusMessageIter array;
  if (!reply || dbus_message_iter_init(reply.get(), &it) == 0 ||
      dbus_message_iter_get_arg_type(&it) != DBUS_TYPE_ARRAY) {
    return std::nullopt;
  }
  dbus_message_iter_recurse(&it, &array);
  std::uint64_t bits = 0;
  for (int word = 0; word < 2 && dbus_message_iter_get_arg_type(&array) == DBUS_TYPE_UINT32; ++word) {
    dbus_uint32_t value = 0;
    dbus_message_iter_get_basic(&array, &value);
    bits |= static_cast<std::uint64_t>(value) << (32 * word);
    dbus_message_iter_next(&array);
  }
  return bits;
}

std::optional<std::uint32_t> AtspiBus::role(const ObjectRef& o) {
  MessagePtr reply = call(method(o, kAccessible, "GetRole"));
  dbus_uint32_t role = 0;
  if (!reply || dbus_message_get_args(reply.get(), nullptr, DBUS_TYPE_UINT32, &role, DBUS_TYPE_INVALID) == 0) {
    return std::nullopt;
  }
  return role;
}

std::optional<std::string> AtspiBus::applicationName(const std::string& bus) {
  std::optional<MessagePtr> reply = property(ObjectRef{bus, kRootPath}, kAccessible, "Name");
  const char* name = nullptr;
  if (!reply || !variantValue(reply->get(), DBUS_TYPE_STRING, &name)) return std::nullopt;
  return std::string(name);
}

std::optional<std::uint32_t> AtspiBus::processOf(const std::string& bus) {
  DBusMessage* m = dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS,
                                                "GetConnectionUnixProcessID");
  const char* name = bus.c_str();
  dbus_message_append_args(m, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID);
  MessagePtr reply = call(m);
  dbus_uint32_t pid = 0;
  if (!reply || dbus_message_get_args(reply.get(), nullptr, DBUS_TYPE_UINT32, &pid, DBUS_TYPE_INVALID) == 0) {
    return std::nullopt;
  }
  return pid;
}

}  // namespace axbench
