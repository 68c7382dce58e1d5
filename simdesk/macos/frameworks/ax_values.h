// Values between the simulated desktop's form (the seam's Value) and the
// frameworks' objects, both ways, as the system would hand them to the
// library and take them from it.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include "platform/platform.h"

namespace simdesk::macos {

// A new object (one reference, the caller's) for a value of the desktop.
CFTypeRef objectFor(const axt::platform::Value& value);

// The desktop's form of an object the library hands in; an object of a
// kind the desktop can't take becomes an other value of its type's name.
axt::platform::Value valueOf(CFTypeRef object, const char* function);

}  // namespace simdesk::macos
