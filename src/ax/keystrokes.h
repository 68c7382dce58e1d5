// Acting on other applications as a user would: typing Command+V.
#pragma once

#include <cstdint>

namespace axt::ax {

inline constexpr std::int32_t kHIDSystemState = 1;
inline constexpr std::uint16_t kKeyCommand = 55;
inline constexpr std::uint16_t kKeyV = 9;
inline constexpr std::uint64_t kCommandFlag = 0x100000;
inline constexpr std::uint32_t kHIDEventTap = 0;

// Posts Command down, V down, V up, Command up, each with the Command flag.
void pasteCommand();

// Whether keys posted now would reach the application that has the focus.
bool keysReachFocusedApplication();

}  // namespace axt::ax
