// Where a simulated text element draws its characters: a fixed grid of
// 8 x 16 point cells, one per UTF-16 unit, starting at the element's frame
// origin; each "\n" starts a new row.
#pragma once

#include <cstdint>

#include "platform/values.h"
#include "utf16_text.h"

namespace simdesk::detail {

using axt::platform::Point;
using axt::platform::Rect;

inline constexpr double kCellWidth = 8;
inline constexpr double kCellHeight = 16;

// The bounds of the units [from, to): the smallest rectangle covering their
// cells, or for an empty range the zero-width caret rectangle at the cell
// that unit `from` has or would have.
Rect boundsOfRange(const Utf16Text& text, Point origin, std::int64_t from, std::int64_t to);

}  // namespace simdesk::detail
