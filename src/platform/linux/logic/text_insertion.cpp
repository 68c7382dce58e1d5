#include "logic/text_insertion.h"

#include <cctype>
#include <limits>

namespace axt::lindesk {

namespace {

bool isQt(std::string_view toolkit) {
  if (toolkit.size() < 2) return false;
  return std::tolower(static_cast<unsigned char>(toolkit[0])) == 'q' &&
         std::tolower(static_cast<unsigned char>(toolkit[1])) == 't';
}

struct Counts {
  std::int64_t codePoints = 0;
  std::int64_t utf16Units = 0;
};

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
std::optional<Counts> count(std::string_view s) {
  Counts c;
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    char32_t cp = 0;
    if (b == 0) {
      return std::nullopt;  // the bus's strings end at a null
    } else if (b < 0x80) {
      n = 1;
      cp = b;
    } else if (b >= 0xC2 && b <= 0xDF) {
      n = 2;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      n = 3;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      n = 4;
      cp = b & 0x07;
    } else {
      return std::nullopt;
    }
    if (s.size() - i < n) return std::nullopt;
    for (std::size_t k = 1; k < n; ++k) {
      const auto cont = static_cast<unsigned char>(s[i + k]);
      if ((cont & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (cont & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF)) {
      return std::nullopt;
    }
    c.codePoints += 1;
    c.utf16Units += cp >= 0x10000 ? 2 : 1;
    i += n;
  }
  return c;
}

}  // namespace

std::optional<InsertionMeasure> measureInsertion(std::string_view utf8, std::string_view toolkitName) {
  if (utf8.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return std::nullopt;
  const std::optional<Counts> c = count(utf8);
  if (!c) return std::nullopt;
  if (isQt(toolkitName)) return InsertionMeasure{c->utf16Units, c->utf16Units};
  return InsertionMeasure{c->codePoints, static_cast<std::int64_t>(utf8.size())};
}

}  // namespace axt::lindesk
