#include "utf16_text.h"

#include <algorithm>

#include "text/utf8.h"

namespace simdesk::detail {

Utf16Text::Utf16Text(std::string_view utf8) : text_(utf8) {
  std::size_t pos = 0;
  while (pos < text_.size()) {
    // An ill-formed subpart is one U+FFFD: one unit.
    const axt::text::Decoded d = axt::text::decodeAt(text_, pos);
    const std::size_t n = d.length;
    unitByte_.push_back(pos);
    trailing_.push_back(false);
    if (d.codePoint >= 0x10000) {
      unitByte_.push_back(pos);
      trailing_.push_back(true);
    }
    pos += n;
  }
  unitByte_.push_back(text_.size());
}

bool Utf16Text::splitsPair(std::int64_t i) const {
  return i > 0 && i < length() && trailing_[static_cast<std::size_t>(i)];
}

bool Utf16Text::isNewline(std::int64_t i) const {
  return i >= 0 && i < length() && !trailing_[static_cast<std::size_t>(i)] && text_[byteAt(i)] == '\n';
}

std::size_t Utf16Text::byteAt(std::int64_t unit) const {
  return unitByte_[static_cast<std::size_t>(std::clamp<std::int64_t>(unit, 0, length()))];
}

Range Utf16Text::widened(Range inside) const {
  std::int64_t from = inside.location;
  std::int64_t to = inside.location + inside.length;
  if (splitsPair(from)) --from;
  if (inside.length == 0) return Range{from, 0};
  if (splitsPair(to)) ++to;
  return Range{from, to - from};
}

Range Utf16Text::clamped(Range any) const {
  const std::int64_t n = length();
  const std::int64_t location = std::clamp<std::int64_t>(any.location, 0, n);
  const std::int64_t len = std::clamp<std::int64_t>(any.length, 0, n - location);
  return widened(Range{location, len});
}

bool Utf16Text::contains(Range r) const {
  return r.location >= 0 && r.length >= 0 && r.location <= length() &&
         r.length <= length() - r.location;
}

std::string Utf16Text::slice(std::int64_t from, std::int64_t to) const {
  const std::size_t a = byteAt(from);
  const std::size_t b = std::max(a, byteAt(to));
  return std::string(text_.substr(a, b - a));
}

std::string Utf16Text::replaced(std::int64_t from, std::int64_t to, std::string_view insert) const {
  const std::size_t a = byteAt(from);
  const std::size_t b = std::max(a, byteAt(to));
  std::string out;
  out.reserve(text_.size() - (b - a) + insert.size());
  out.append(text_.substr(0, a));
  out.append(insert);
  out.append(text_.substr(b));
  return out;
}

}  // namespace simdesk::detail
