// The owner of a libdbus message: the backend's own exchanges with the
// accessibility bus (asking whether an application is still there, or
// whether it answers again).
#pragma once

#include <dbus/dbus.h>

#include <memory>

namespace axt::lindesk {

struct DBusMessageDeleter {
  void operator()(DBusMessage* m) const {
    if (m != nullptr) dbus_message_unref(m);
  }
};
using DBusMessagePtr = std::unique_ptr<DBusMessage, DBusMessageDeleter>;

}  // namespace axt::lindesk
