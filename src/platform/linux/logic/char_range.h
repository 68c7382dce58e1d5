// A half-open range of a text's positions as AT-SPI takes and gives them:
// character (code point) offsets, the application's own units. Positions
// stay in these units from the application to the core and back, so that
// no conversion can drift from the text the application holds.
#pragma once

#include <cstdint>

namespace axt::lindesk {

struct CharRange {
  std::int64_t start = 0;
  std::int64_t end = 0;
  friend bool operator==(const CharRange&, const CharRange&) = default;
};

}  // namespace axt::lindesk
