// Walking an object's children over the bus, and taking over the objects
// AT-SPI hands out.
#pragma once

#include <atspi/atspi.h>

#include <functional>
#include <vector>

#include "glue/gobject_ref.h"

namespace axt::lindesk {

class AtspiSession;

// True when the object's application has gone or the object was destroyed.
bool isDefunct(AtspiSession& session, AtspiAccessible* accessible);

// The first child of `parent` that `wanted` accepts, in order; children
// that can't be read are passed over. Empty when none is.
GRef<AtspiAccessible> findChild(AtspiSession& session, AtspiAccessible* parent,
                                const std::function<bool(AtspiAccessible* child)>& wanted);

// The accessibles of an array that AT-SPI handed over with their references.
std::vector<GRef<AtspiAccessible>> adoptAccessibles(GArrayPtr array);

}  // namespace axt::lindesk
