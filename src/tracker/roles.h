// Roles the handlers tell apart.
#pragma once

#include <string_view>

#include "text/canonical_equivalence.h"

namespace axt::tracker {

inline constexpr std::string_view kRoleTextField = "AXTextField";
inline constexpr std::string_view kRoleTextArea = "AXTextArea";
inline constexpr std::string_view kRoleStaticText = "AXStaticText";

// A single-line field or a text area: elements measured by character range.
inline bool isTextInputRole(std::string_view role) {
  return text::canonicallyEqual(role, kRoleTextField) || text::canonicallyEqual(role, kRoleTextArea);
}

}  // namespace axt::tracker
