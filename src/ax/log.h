// Diagnostic lines on standard output, and the rendering of optional texts
// that some of them use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace axt::ax {

void logLine(std::string_view line);

// Optional("text") for a present text, nil for an absent one. The text is
// written as the platform's debug description writes it: quotes and
// backslashes escaped, and control characters as \n, \r, \t, \0 or \u{XX},
// so that a role holding a line break still prints as one line.
std::string optionalText(const std::optional<std::string>& text);

}  // namespace axt::ax
