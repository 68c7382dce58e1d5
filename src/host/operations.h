// The module operations behind the exported entry points, callable from the
// rest of the library.
#pragma once

#include <cstdint>

#include "axtrack/axtrack.h"

namespace axt::host {

void initMacAccessibility(axtrack_callback callback);
void start(const char* configuration);
void setText(const char* text);
// Re-activates the tracked application, then prints "hello".
void focusPrivous();
bool isAccessibiltyEnabled();
bool showAccessibiltyPermisionPopup();
std::int32_t main(std::int32_t argc, char** argv);

}  // namespace axt::host
