// Which names on the session bus may be an application's own id. A GTK
// application (GApplication) owns its id as a name on the session bus and
// serves its application interface at a path made from it; on X11 the
// same id is on its windows, where a native Wayland window has no
// property a client can read.
#pragma once

#include <string>
#include <string_view>

namespace axt::lindesk {

// A well-known name of two elements or more, not one of the desktop's own
// services (the bus itself, accessibility, settings, media players, tray
// icons).
bool mayBeApplicationId(std::string_view busName);

// Where GApplication serves its interface for `id`: "/" and the id with
// dots as slashes and dashes as underscores.
std::string applicationObjectPath(std::string_view id);

}  // namespace axt::lindesk
