#include "text/utf8.h"

#include <cstdint>
#include <cstring>

namespace axt::text {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

Decoded decodeAt(std::string_view bytes, std::size_t pos) noexcept {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + pos;
  const std::size_t available = bytes.size() - pos;
  const unsigned char lead = p[0];
  if (lead < 0x80) return Decoded{lead, 1, true};

  std::size_t length;
  char32_t cp;
  // The first continuation byte's range also rules out overlong forms,
  // surrogates and values past U+10FFFF.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0Fu;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07u;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    // Continuation bytes, C0/C1 (always overlong) and F5..FF never start a
    // well-formed sequence.
    return Decoded{kReplacementCharacter, 1, false};
  }
  std::size_t i = 1;
  for (; i < length && i < available; ++i) {
    const unsigned char c = p[i];
    if (c < low || c > high) break;
    cp = (cp << 6) | (c & 0x3Fu);
    low = 0x80;
    high = 0xBF;
  }
  if (i == length) return Decoded{cp, length, true};
  return Decoded{kReplacementCharacter, i, false};
}

std::size_t wellFormedLength(std::string_view bytes, std::size_t pos) noexcept {
  const Decoded d = decodeAt(bytes, pos);
  return d.wellFormed ? d.length : 0;
}

std::size_t firstIllFormed(std::string_view bytes) noexcept {
  const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = begin + bytes.size();
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
    const Decoded d = decodeAt(bytes, static_cast<std::size_t>(p - begin));
    if (!d.wellFormed) return static_cast<std::size_t>(p - begin);
    p += d.length;
  }
  return bytes.size();
}

std::string toValidUtf8(std::string_view bytes) {
  const std::size_t fault = firstIllFormed(bytes);
  if (fault == bytes.size()) return std::string(bytes);

  std::string out;
  out.reserve(bytes.size() + 8);
  out.append(bytes.data(), fault);
  for (std::size_t pos = fault; pos < bytes.size();) {
    const Decoded d = decodeAt(bytes, pos);
    if (d.wellFormed) {
      out.append(bytes.data() + pos, d.length);
    } else {
      out.append(kReplacement, 3);
    }
    pos += d.length;
  }
  return out;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    const char b[2] = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
    out.append(b, 2);
  } else if (cp < 0x10000) {
    const char b[3] = {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                       static_cast<char>(0x80 | (cp & 0x3F))};
    out.append(b, 3);
  } else {
    const char b[4] = {static_cast<char>(0xF0 | (cp >> 18)), static_cast<char>(0x80 | ((cp >> 12) & 0x3F)),
                       static_cast<char>(0x80 | ((cp >> 6) & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
    out.append(b, 4);
  }
}

}  // namespace axt::text
