#include "ax/geometry.h"

#include <cmath>

#include "ax/attributes.h"

namespace axt::ax {

namespace {

enum class MarkerOrder { kStartFirst, kEndFirst };

std::optional<platform::Rect> selectedBounds(const platform::Element& element, MarkerOrder order) {
  auto selected = getAttributeValue<TextMarkerRange>(element, "AXSelectedTextMarkerRange");
  // The selection can change between the caller's check and this read.
  if (!selected) return std::nullopt;
  platform::Accessibility& ax = platform::current().accessibility();
  std::optional<TextMarker> start = ax.copyStartMarker(*selected);
  std::optional<TextMarker> end = ax.copyEndMarker(*selected);
  if (!start || !end) return std::nullopt;
  std::optional<TextMarkerRange> rebuilt = order == MarkerOrder::kStartFirst
                                               ? ax.createTextMarkerRange(*start, *end)
                                               : ax.createTextMarkerRange(*end, *start);
  if (!rebuilt) return std::nullopt;
  return getParameterizedAttributeValue<Rect>(element, "AXBoundsForTextMarkerRange", *rebuilt);
}

}  // namespace

std::optional<platform::Rect> getSelectedTextBoundingRectCorrect(const platform::Element& element) {
  return selectedBounds(element, MarkerOrder::kStartFirst);
}

std::optional<platform::Rect> getSelectedTextBoundingRect(const platform::Element& element) {
  return selectedBounds(element, MarkerOrder::kEndFirst);
}

void delay(double seconds) {
  // A NaN duration would never end the loop below; treat it as nothing.
  if (!(seconds > 0)) return;
  platform::MainRunLoop& loop = platform::current().runLoop();
  const double deadline = loop.currentDate() + seconds;
  while (loop.currentDate() < deadline) loop.busyWaitTurn(deadline);
}

}  // namespace axt::ax
