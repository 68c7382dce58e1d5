// Conversions between the two ways of counting a text's positions: the
// library counts UTF-16 code units, AT-SPI counts characters (code points).
// They differ for every character outside the Basic Multilingual Plane,
// which takes two units and one character. Pure functions of the text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/values.h"

namespace axt::lindesk {

// A half-open range of character offsets, as AT-SPI takes and gives them.
struct CharRange {
  std::int64_t start = 0;
  std::int64_t end = 0;
  friend bool operator==(const CharRange&, const CharRange&) = default;
};

// Number of characters in UTF-8 text. A byte that starts no valid sequence
// counts as one character, so that no input can lose its place.
std::int64_t characterCount(std::string_view utf8);

// Number of UTF-16 units in UTF-8 text.
std::int64_t utf16Length(std::string_view utf8);

// UTF-16 units taken by the first `characters` characters (clamped to the
// text).
std::int64_t unitsBeforeCharacter(std::string_view utf8, std::int64_t characters);

// Byte offset at which character `characters` starts (clamped to the text).
std::size_t byteOffsetOfCharacter(std::string_view utf8, std::int64_t characters);

// The bytes of a character range (clamped to the text).
std::string_view substringOfChars(std::string_view utf8, CharRange characters);

enum class Rounding { kDown, kUp };

// Characters covering the first `units` UTF-16 units (clamped to the text).
// A count that ends inside a surrogate pair rounds to the character's start
// (kDown) or past it (kUp).
std::int64_t charactersBeforeUnit(std::string_view utf8, std::int64_t units, Rounding rounding);

// The characters a UTF-16 range names, widened to whole characters; absent
// when the range is negative or reaches past the text.
std::optional<CharRange> charRangeOf(std::string_view utf8, const platform::Range& units);

// The UTF-16 range of a character range (clamped to the text, ends put in
// order).
platform::Range unitRangeOf(std::string_view utf8, CharRange characters);

}  // namespace axt::lindesk
