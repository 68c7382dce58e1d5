#include "ax/log.h"

#include "platform/platform.h"

namespace axt::ax {

void logLine(std::string_view line) { platform::current().log().writeLine(line); }

std::string optionalText(const std::optional<std::string>& text) {
  if (!text) return "nil";
  std::string out = "Optional(\"";
  out += *text;
  out += "\")";
  return out;
}

}  // namespace axt::ax
