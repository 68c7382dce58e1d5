// Diagnostic lines on standard output, and the rendering of optional texts
// that some of them use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace axt::ax {

void logLine(std::string_view line);

// Optional("text") for a present text, nil for an absent one.
std::string optionalText(const std::optional<std::string>& text);

}  // namespace axt::ax
