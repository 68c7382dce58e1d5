// Converting between the two ways of counting a text's positions without
// the text: AT-SPI counts characters, the library UTF-16 units, and they
// differ by one for each character outside the Basic Multilingual Plane
// before the position. The index holds the text's length and where those
// characters are, so that a conversion costs a search, not a read of the
// text from its start, and it follows the text's changes as the
// application reports them. The same answers as utf16_offsets.h gives for
// the text itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/values.h"
#include "utf16_offsets.h"

namespace axt::lindesk {

class AstralIndex {
 public:
  static AstralIndex of(std::string_view utf8);

  std::int64_t characters() const { return characters_; }
  std::int64_t units() const { return characters_ + static_cast<std::int64_t>(astral_.size()); }

  // As unitsBeforeCharacter, charactersBeforeUnit, charRangeOf and
  // unitRangeOf of the text.
  std::int64_t unitsBefore(std::int64_t characters) const;
  std::int64_t charactersBefore(std::int64_t units, Rounding rounding) const;
  std::optional<CharRange> charRangeOf(const platform::Range& units) const;
  platform::Range unitRangeOf(CharRange characters) const;

  // The text changed: `utf8` went in at character `at`, or `count`
  // characters from `at` went (both clamped to the text).
  void insert(std::int64_t at, std::string_view utf8);
  void erase(std::int64_t at, std::int64_t count);

 private:
  std::int64_t characters_ = 0;
  std::vector<std::int64_t> astral_;  // character offsets, ascending
};

}  // namespace axt::lindesk
