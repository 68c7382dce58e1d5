// An independent reference for UTF-8 repair, for the fuzzers to compare the
// library against. It works from code-point arithmetic rather than from a
// table of lead bytes: a byte run is accepted as far as some well-formed
// sequence could still begin with it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace axt::fuzz {

// The number of bytes a sequence with this lead byte has by its bit pattern
// alone, or 0 for a byte that can't lead one (a continuation byte, 0xF8 and
// above).
inline int patternLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

// Whether the first `have` bytes of an n-byte sequence (lead included,
// continuation bytes already checked for their 10xxxxxx pattern) are the
// start of at least one well-formed sequence: the code points they leave
// open must meet the values an n-byte sequence may encode.
inline bool extendable(const unsigned char* bytes, int have, int n) {
  const int leadBits = 7 - n;
  std::uint32_t known = bytes[0] & ((1u << leadBits) - 1);
  for (int i = 1; i < have; ++i) known = (known << 6) | (bytes[i] & 0x3Fu);
  const int open = 6 * (n - have);
  const std::uint32_t lo = known << open;
  const std::uint32_t hi = lo | ((1u << open) - 1);
  std::uint32_t min = 0;
  std::uint32_t max = 0;
  switch (n) {
    case 2:
      min = 0x80;
      max = 0x7FF;
      break;
    case 3:
      min = 0x800;
      max = 0xFFFF;
      break;
    default:
      min = 0x10000;
      max = 0x10FFFF;
      break;
  }
  const std::uint32_t from = lo > min ? lo : min;
  const std::uint32_t to = hi < max ? hi : max;
  if (from > to) return false;
  // What is left must not be surrogates only.
  if (from >= 0xD800 && to <= 0xDFFF) return false;
  return true;
}

// Every ill-formed sequence replaced by U+FFFD, one per maximal subpart.
inline std::string referenceRepair(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  std::string out;
  std::size_t i = 0;
  while (i < size) {
    const int n = patternLength(bytes[i]);
    if (n == 1) {
      out.push_back(static_cast<char>(bytes[i]));
      ++i;
      continue;
    }
    int have = 0;
    if (n > 0 && extendable(bytes + i, 1, n)) {
      have = 1;
      while (have < n && i + have < size && (bytes[i + have] & 0xC0) == 0x80 &&
             extendable(bytes + i, have + 1, n)) {
        ++have;
      }
    }
    if (n > 0 && have == n) {
      out.append(text.substr(i, static_cast<std::size_t>(n)));
      i += static_cast<std::size_t>(n);
    } else {
      out.append("\xEF\xBF\xBD");
      i += static_cast<std::size_t>(have > 0 ? have : 1);
    }
  }
  return out;
}

inline bool isValidUtf8(std::string_view text) { return referenceRepair(text) == text; }

}  // namespace axt::fuzz
