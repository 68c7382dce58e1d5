// The accessibility notifications an observer can register for here, and
// the AT-SPI events that stand for each: the focus coming to an element,
// a text's selection or caret changing, and a window moved or resized.
#pragma once

#include <string_view>

#include "logic/event_kinds.h"

namespace axt::lindesk {

inline constexpr std::string_view kFocusedElementChanged = "AXFocusedUIElementChanged";
inline constexpr std::string_view kSelectedTextChanged = "AXSelectedTextChanged";
inline constexpr std::string_view kWindowMoved = "AXWindowMoved";
inline constexpr std::string_view kWindowResized = "AXWindowResized";

// The notification an event of `kind` is told as; empty for the kinds that
// are none (activations, arrivals).
std::string_view notificationOf(HeardKind kind);

// Whether an observer may register for `notification`; the platform
// refuses the others as unsupported.
bool isSupportedNotification(std::string_view notification);

// Whether `notification` is told from the window manager's account of
// windows as well as from the toolkit's (window_structure.h).
bool isWindowGeometryNotification(std::string_view notification);

}  // namespace axt::lindesk
