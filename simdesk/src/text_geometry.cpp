#include "text_geometry.h"

#include <algorithm>

namespace simdesk::detail {

Rect boundsOfRange(const Utf16Text& text, Point origin, std::int64_t from, std::int64_t to) {
  std::int64_t line = 0;
  std::int64_t column = 0;
  std::int64_t minColumn = 0, maxColumn = 0, minLine = 0, maxLine = 0;
  bool any = false;
  for (std::int64_t i = 0; i < to; ++i) {
    if (i >= from) {
      if (!any) {
        minColumn = maxColumn = column;
        minLine = maxLine = line;
        any = true;
      } else {
        minColumn = std::min(minColumn, column);
        maxColumn = std::max(maxColumn, column);
        minLine = std::min(minLine, line);
        maxLine = std::max(maxLine, line);
      }
    }
    if (text.isNewline(i)) {
      ++line;
      column = 0;
    } else {
      ++column;
    }
  }
  if (!any) {
    // Empty range: `line` and `column` now describe unit `to` == `from`.
    return Rect{Point{origin.x + kCellWidth * static_cast<double>(column),
                      origin.y + kCellHeight * static_cast<double>(line)},
                {0, kCellHeight}};
  }
  return Rect{Point{origin.x + kCellWidth * static_cast<double>(minColumn),
                    origin.y + kCellHeight * static_cast<double>(minLine)},
              {kCellWidth * static_cast<double>(maxColumn - minColumn + 1),
               kCellHeight * static_cast<double>(maxLine - minLine + 1)}};
}

}  // namespace simdesk::detail
