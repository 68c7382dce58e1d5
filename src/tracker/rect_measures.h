// Width and height as the platform's rectangle measures give them: of the
// standardised rectangle, so never negative (a NaN stays NaN).
#pragma once

#include <cmath>

#include "platform/values.h"

namespace axt::tracker {

inline double rectWidth(const platform::Rect& r) { return std::fabs(r.size.width); }
inline double rectHeight(const platform::Rect& r) { return std::fabs(r.size.height); }

// "Non-zero" as the handlers test it: anything that doesn't compare equal to
// 0, NaN included.
inline bool hasHeight(const platform::Rect& r) { return !(rectHeight(r) == 0); }

}  // namespace axt::tracker
