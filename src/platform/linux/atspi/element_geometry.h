// Where an element is on the screen, through its Component interface.
#pragma once

#include <atspi/atspi.h>

#include <optional>

#include "platform/values.h"

namespace axt::lindesk {

class AtspiSession;
class Observers;

enum class Extent { kPosition, kSize };

// The element's screen position or size; kAttributeUnsupported without a
// Component interface.
platform::AXError readExtent(AtspiSession& session, Observers& observers, AtspiAccessible* a, Extent extent,
                             std::optional<platform::Value>& out);

}  // namespace axt::lindesk
