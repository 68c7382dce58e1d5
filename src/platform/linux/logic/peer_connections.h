// libatspi talks to most applications over a connection of their own, peer
// to peer (one the application offers), rather than over the bus. A request
// on such a connection waits in a loop of libatspi's: it polls the
// connection for the whole limit, then looks whether the limit has passed,
// counted in whole milliseconds. When the poll came back within the
// millisecond the limit ends in, the limit hasn't "passed" and it polls for
// the whole limit again, so a request to an application that doesn't answer
// waits one limit or two, by chance (3 s instead of 1.5 s in about one
// request in seven with libatspi 2.56). On a connection that has a unique
// name, as the bus has, libatspi hands the wait to libdbus, which ends it
// at the limit.
//
// A peer connection is therefore given the name the host has on the bus,
// which is who it is on that connection too. Through libdbus's own call for
// it, once per connection: libatspi keeps the connection, and asks libdbus
// for the name when it makes a request. A connection whose other end has
// the host's own name (the host's process asking itself) keeps libatspi's
// loop, as before.
#pragma once

#include <dbus/dbus.h>

namespace axt::lindesk {

// Gives `connection` the unique name `ourName` if it has none yet (a peer
// connection; a bus connection keeps the name the bus gave it). True when
// the name was given now.
bool nameAsOnBus(DBusConnection* connection, const char* ourName);

}  // namespace axt::lindesk
