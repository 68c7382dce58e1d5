// Accessibility values between the system's types and the seam's Value:
// strings, numbers (integral or floating point, as stored), Booleans, the
// wrapped geometric kinds (point, size, rectangle, range, error), elements,
// text markers and marker ranges. Anything else reads as an other value
// known by its type's name, and can't be written.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include "cf_ref.h"
#include "platform/platform.h"

namespace axt::macdesk {

// The seam's form of a non-null system value.
platform::Value fromCF(CFTypeRef value);

// The system's form of a value; empty for a kind the system can't be
// handed (an other value, a reference of another backend).
CFRef<CFTypeRef> toCF(const platform::Value& value);

// The system's wrapped form of a geometric value; empty when it can't be
// made.
CFRef<AXValueRef> toAXValue(const platform::AXValue& value);

}  // namespace axt::macdesk
