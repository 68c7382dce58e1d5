// The screen rectangle of a text-marker selection, and the busy wait used
// between the steps of a replacement.
#pragma once

#include <optional>

#include "platform/platform.h"

namespace axt::ax {

// Bounds of the element's selected marker range rebuilt start → end.
std::optional<platform::Rect> getSelectedTextBoundingRectCorrect(const platform::Element& element);
// The same rebuilt end → start; a fallback for elements that measure a
// reversed range better.
std::optional<platform::Rect> getSelectedTextBoundingRect(const platform::Element& element);

// Spins on the platform's current date for `seconds`; runs nothing
// meanwhile. A duration of 0 or less returns at once.
void delay(double seconds);

}  // namespace axt::ax
