#include "ax/log.h"

#include "platform/platform.h"
#include "text/utf8.h"

namespace axt::ax {

void logLine(std::string_view line) { platform::current().log().writeLine(line); }

namespace {

void appendEscaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  text::forEachCharacter(text, [&](const text::Decoded& c, std::size_t offset) {
    const char32_t cp = c.codePoint;
    switch (cp) {
      case U'\0': out += "\\0"; return;
      case U'\t': out += "\\t"; return;
      case U'\n': out += "\\n"; return;
      case U'\r': out += "\\r"; return;
      case U'"': out += "\\\""; return;
      case U'\\': out += "\\\\"; return;
      default: break;
    }
    // C0 controls, DEL and the C1 controls (U+0085 is a line break too).
    if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) {
      out += "\\u{";
      out += kHex[(cp >> 4) & 0xF];
      out += kHex[cp & 0xF];
      out += '}';
    } else if (c.wellFormed) {
      out.append(text.substr(offset, c.length));
    } else {
      text::appendUtf8(out, cp);
    }
  });
}

}  // namespace

std::string optionalText(const std::optional<std::string>& value) {
  if (!value) return "nil";
  std::string out = "Optional(\"";
  appendEscaped(out, *value);
  out += "\")";
  return out;
}

}  // namespace axt::ax
