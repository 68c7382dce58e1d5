// Turning the fixed answers of the desktop's description into the values
// the platform hands out.
#pragma once

#include <cstdint>
#include <optional>

#include "apps.h"
#include "platform/values.h"

namespace simdesk::detail {

using axt::platform::Value;

// The platform value of a fixed answer: 0 and the value, or the error code
// a read of it gives (no value; an element id that names no element).
AXError toPlatformValue(const AttrValue& fixed, const AppRegistry& apps, std::uint64_t generation,
                        std::optional<Value>& out);

}  // namespace simdesk::detail
