// Repair of text that arrives as raw bytes. Valid input, by far the common
// case, costs one scan and one copy; only from the first fault on is the text
// rebuilt.
#include <cstring>

#include "host/json.h"

namespace axt::json {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// Examines the sequence that starts with the non-ASCII byte at p. Returns the
// length of a well-formed sequence, or 0 with *subpart set to the length of
// the maximal subpart of the ill-formed one: the lead byte and as many of the
// following bytes as could still have continued a well-formed sequence (at
// least 1). Each such subpart becomes one replacement character.
std::size_t examine(const unsigned char* p, const unsigned char* end, std::size_t* subpart) {
  const unsigned char lead = *p;
  std::size_t length;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;  // shorter forms are overlong
    if (lead == 0xED) high = 0x9F;  // D800..DFFF are surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;  // overlong
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    // Continuation bytes, C0/C1 (always overlong) and F5..FF never start a
    // well-formed sequence.
    *subpart = 1;
    return 0;
  }
  std::size_t i = 1;
  for (; i < length && p + i < end; ++i) {
    const unsigned char c = p[i];
    const bool fits = i == 1 ? (c >= low && c <= high) : (c >= 0x80 && c <= 0xBF);
    if (!fits) break;
  }
  if (i == length) return length;
  *subpart = i;
  return 0;
}

// Offset of the first ill-formed byte, or the size when there is none.
std::size_t firstFault(const unsigned char* begin, const unsigned char* end) {
  const unsigned char* p = begin;
  while (p < end) {
    // Skip ASCII eight bytes at a time.
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      if ((word & kHighBits) != 0) break;
      p += 8;
    }
    while (p < end && *p < 0x80) ++p;
    if (p == end) break;
    std::size_t subpart = 0;
    const std::size_t length = examine(p, end, &subpart);
    if (length == 0) return static_cast<std::size_t>(p - begin);
    p += length;
  }
  return static_cast<std::size_t>(end - begin);
}

}  // namespace

std::string toValidUtf8(std::string_view bytes) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = begin + bytes.size();
  const std::size_t fault = firstFault(begin, end);
  if (fault == bytes.size()) return std::string(bytes);

  std::string out;
  out.reserve(bytes.size() + 8);
  out.append(bytes.data(), fault);
  const unsigned char* p = begin + fault;
  while (p < end) {
    if (*p < 0x80) {
      out.push_back(static_cast<char>(*p++));
      continue;
    }
    std::size_t subpart = 0;
    const std::size_t length = examine(p, end, &subpart);
    if (length == 0) {
      out.append(kReplacement, 3);
      p += subpart;
    } else {
      out.append(reinterpret_cast<const char*>(p), length);
      p += length;
    }
  }
  return out;
}

}  // namespace axt::json
