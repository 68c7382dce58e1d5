// libatspi keeps every application object it made, by bus name, for the
// life of the process. When it lets go of a bus (atspi_exit) it empties the
// objects of that bus's applications, and after a new connection it hands
// the same object out again for whatever application the new bus gives
// that name. New buses give their names out from the start again, so most
// applications on a new bus would get an emptied object, which can't be
// asked anything (a request for it goes to no connection at all, which
// ends the process). Its table also holds no reference of its own on some
// objects (the desktop's application), which it may hand out after they
// were freed.
//
// The backend therefore remembers (and references) every application
// object it sees, for the life of the process, as long as libatspi may
// hand them out; once connected to a new bus it fills the emptied ones
// again as libatspi fills a new one. These are libatspi's fields: only a
// libatspi laid out as checked may have them written (atspi_layout.h).
#pragma once

#include <atspi/atspi.h>
#include <dbus/dbus.h>

#include <map>

#include "glue/gobject_ref.h"

namespace axt::lindesk {

class ApplicationRevival {
 public:
  // An object seen on the bus now: its application object is remembered.
  // With `bus` (connected to a bus after the first), an emptied one is
  // filled again at once: seen on the bus now, it is one of the new bus's
  // applications under a name libatspi knew from an old one.
  void noteSeen(AtspiAccessible* accessible, DBusConnection* bus);
  // The bus went away; `desktop` is libatspi's desktop object of it, whose
  // application and children are remembered too. Before atspi_exit.
  void busLost(AtspiAccessible* desktop);
  // Connected to a new bus: every application object remembered that was
  // emptied, or whose connection is gone, is filled again, with `bus` as
  // its connection.
  void revive(DBusConnection* bus);

 private:
  void remember(AtspiApplication* app);

  // Every application object met, on any bus.
  std::map<AtspiApplication*, GRef<AtspiApplication>> known_;
};

}  // namespace axt::lindesk
