#include "utf16.h"

#include "text/utf8.h"

namespace axt::macdesk {

namespace {

bool isHigh(std::uint16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(std::uint16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::string utf16ToUtf8(std::span<const std::uint16_t> units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const std::uint16_t u = units[i];
    if (isHigh(u) && i + 1 < units.size() && isLow(units[i + 1])) {
      text::appendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                                (static_cast<char32_t>(units[i + 1]) - 0xDC00));
      ++i;
    } else if (isHigh(u) || isLow(u)) {
      text::appendUtf8(out, text::kReplacementCharacter);
    } else {
      text::appendUtf8(out, static_cast<char32_t>(u));
    }
  }
  return out;
}

}  // namespace axt::macdesk
