// UTF-16 code units, as the system's strings hold them, to UTF-8. A
// surrogate that isn't half of a pair becomes one U+FFFD: one character for
// each unit the system counts, as a U+FFFD counts one unit going back.
// Depends on nothing of the system's.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace axt::macdesk {

std::string utf16ToUtf8(std::span<const std::uint16_t> units);

}  // namespace axt::macdesk
