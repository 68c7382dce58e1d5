#include "utf16_offsets.h"

#include <algorithm>
#include <limits>

#include "text/utf8.h"

namespace axt::lindesk {

namespace {

// Length in bytes of the character starting at text[i] and its length in
// UTF-16 units. An ill-formed subpart is one U+FFFD: one unit.
struct Step {
  std::size_t bytes = 1;
  std::int64_t units = 1;
};

Step stepAt(std::string_view text, std::size_t i) {
  const text::Decoded d = text::decodeAt(text, i);
  return Step{d.length, d.codePoint >= 0x10000 ? 2 : 1};
}

}  // namespace

std::int64_t characterCount(std::string_view utf8) {
  std::int64_t n = 0;
  for (std::size_t i = 0; i < utf8.size(); i += stepAt(utf8, i).bytes) ++n;
  return n;
}

std::int64_t utf16Length(std::string_view utf8) {
  return unitsBeforeCharacter(utf8, std::numeric_limits<std::int64_t>::max());
}

std::int64_t unitsBeforeCharacter(std::string_view utf8, std::int64_t characters) {
  std::int64_t units = 0;
  std::int64_t seen = 0;
  for (std::size_t i = 0; i < utf8.size() && seen < characters; ++seen) {
    const Step s = stepAt(utf8, i);
    units += s.units;
    i += s.bytes;
  }
  return units;
}

std::size_t byteOffsetOfCharacter(std::string_view utf8, std::int64_t characters) {
  std::size_t i = 0;
  for (std::int64_t seen = 0; i < utf8.size() && seen < characters; ++seen) i += stepAt(utf8, i).bytes;
  return i;
}

std::string_view substringOfChars(std::string_view utf8, CharRange characters) {
  const std::size_t begin = byteOffsetOfCharacter(utf8, characters.start);
  const std::size_t end = std::max(begin, byteOffsetOfCharacter(utf8, characters.end));
  return utf8.substr(begin, end - begin);
}

std::int64_t charactersBeforeUnit(std::string_view utf8, std::int64_t units, Rounding rounding) {
  std::int64_t characters = 0;
  std::int64_t covered = 0;
  for (std::size_t i = 0; i < utf8.size() && covered < units;) {
    const Step s = stepAt(utf8, i);
    if (covered + s.units > units && rounding == Rounding::kDown) break;
    covered += s.units;
    ++characters;
    i += s.bytes;
  }
  return characters;
}

std::optional<CharRange> charRangeOf(std::string_view utf8, const platform::Range& units) {
  if (units.location < 0 || units.length < 0) return std::nullopt;
  const std::int64_t total = utf16Length(utf8);
  if (units.location > total || units.length > total - units.location) return std::nullopt;
  return CharRange{charactersBeforeUnit(utf8, units.location, Rounding::kDown),
                   charactersBeforeUnit(utf8, units.location + units.length, Rounding::kUp)};
}

platform::Range unitRangeOf(std::string_view utf8, CharRange characters) {
  const std::int64_t a = std::max<std::int64_t>(0, std::min(characters.start, characters.end));
  const std::int64_t b = std::max<std::int64_t>(0, std::max(characters.start, characters.end));
  const std::int64_t start = unitsBeforeCharacter(utf8, a);
  const std::int64_t end = unitsBeforeCharacter(utf8, b);
  return platform::Range{start, end - start};
}

}  // namespace axt::lindesk
