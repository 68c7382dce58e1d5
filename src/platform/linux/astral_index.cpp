#include "astral_index.h"

#include <algorithm>

#include "text/utf8.h"

namespace axt::lindesk {

namespace {

// The character offsets (from `base`) of the characters outside the BMP in
// the text, and its number of characters. An ill-formed subpart counts as
// one character in the BMP, as utf16_offsets.h counts it.
std::int64_t scan(std::string_view utf8, std::int64_t base, std::vector<std::int64_t>& astral) {
  std::int64_t n = 0;
  for (std::size_t i = 0; i < utf8.size(); ++n) {
    const text::Decoded d = text::decodeAt(utf8, i);
    if (d.codePoint >= 0x10000) astral.push_back(base + n);
    i += d.length;
  }
  return n;
}

}  // namespace

AstralIndex AstralIndex::of(std::string_view utf8) {
  AstralIndex index;
  index.characters_ = scan(utf8, 0, index.astral_);
  return index;
}

std::int64_t AstralIndex::unitsBefore(std::int64_t characters) const {
  const std::int64_t c = std::clamp<std::int64_t>(characters, 0, characters_);
  const auto wide = std::lower_bound(astral_.begin(), astral_.end(), c) - astral_.begin();
  return c + wide;
}

std::int64_t AstralIndex::charactersBefore(std::int64_t units, Rounding rounding) const {
  if (units <= 0) return 0;
  if (units >= this->units()) return characters_;
  // The largest c with unitsBefore(c) <= units; unitsBefore rises by one or
  // two per character.
  std::int64_t lo = 0;
  std::int64_t hi = characters_;
  while (lo < hi) {
    const std::int64_t mid = lo + (hi - lo + 1) / 2;
    if (unitsBefore(mid) <= units) {
      lo = mid;
    } else {
      hi = mid - 1;
    }
  }
  // Inside a surrogate pair: the character's start, or past it.
  if (unitsBefore(lo) < units && rounding == Rounding::kUp) ++lo;
  return lo;
}

std::optional<CharRange> AstralIndex::charRangeOf(const platform::Range& units) const {
  if (units.location < 0 || units.length < 0) return std::nullopt;
  const std::int64_t total = this->units();
  if (units.location > total || units.length > total - units.location) return std::nullopt;
  return CharRange{charactersBefore(units.location, Rounding::kDown),
                   charactersBefore(units.location + units.length, Rounding::kUp)};
}

platform::Range AstralIndex::unitRangeOf(CharRange characters) const {
  const std::int64_t a = std::max<std::int64_t>(0, std::min(characters.start, characters.end));
  const std::int64_t b = std::max<std::int64_t>(0, std::max(characters.start, characters.end));
  const std::int64_t start = unitsBefore(a);
  return platform::Range{start, unitsBefore(b) - start};
}

void AstralIndex::insert(std::int64_t at, std::string_view utf8) {
  const std::int64_t where = std::clamp<std::int64_t>(at, 0, characters_);
  std::vector<std::int64_t> added;
  const std::int64_t n = scan(utf8, where, added);
  auto split = std::lower_bound(astral_.begin(), astral_.end(), where);
  for (auto it = split; it != astral_.end(); ++it) *it += n;
  astral_.insert(split, added.begin(), added.end());
  characters_ += n;
}

void AstralIndex::erase(std::int64_t at, std::int64_t count) {
  const std::int64_t from = std::clamp<std::int64_t>(at, 0, characters_);
  const std::int64_t n = std::clamp<std::int64_t>(count, 0, characters_ - from);
  auto first = std::lower_bound(astral_.begin(), astral_.end(), from);
  auto last = std::lower_bound(first, astral_.end(), from + n);
  for (auto it = last; it != astral_.end(); ++it) *it -= n;
  astral_.erase(first, last);
  characters_ -= n;
}

}  // namespace axt::lindesk
