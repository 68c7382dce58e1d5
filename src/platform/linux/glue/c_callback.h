// The GLib sources, the AT-SPI event listener and the X error handler enter
// the backend through callFromC, which lets no exception cross into C.
#pragma once

#include "platform/backend_c_callback.h"

namespace axt::lindesk {
using platform::backend::callFromC;
}  // namespace axt::lindesk
