#include "utf16_text.h"

#include <algorithm>

namespace simdesk::detail {

namespace {

// The length of the well-formed UTF-8 sequence at `pos` and its code point,
// or 0 when the byte there doesn't start one.
std::size_t decode(std::string_view s, std::size_t pos, char32_t& cp) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char b0 = byte(pos);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t n = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    n = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (pos + n > s.size()) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    const unsigned char b = byte(pos + i);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

Utf16Text::Utf16Text(std::string_view utf8) : text_(utf8) {
  std::size_t pos = 0;
  while (pos < text_.size()) {
    char32_t cp = 0;
    std::size_t n = decode(text_, pos, cp);
    if (n == 0) n = 1;  // a stray byte: one unit
    unitByte_.push_back(pos);
    trailing_.push_back(false);
    if (cp >= 0x10000) {
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
