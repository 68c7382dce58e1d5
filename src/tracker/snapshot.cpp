// The focused element's selection as event data: text, editability and the
// selection's rectangle, found from the character range's bounds or from
// the selection's text markers.
#include <cmath>

#include "ax/attributes.h"
#include "ax/geometry.h"
#include "tracker/mac_accessibility.h"
#include "tracker/rect_measures.h"
#include "tracker/selection_data.h"

namespace axt::tracker {

namespace {

json::Object message(const char* text) { return json::Object{{"message", json::Value(text)}}; }

}  // namespace

EventData MacAccessibility::nativeTextFieldSelectedText() {
  const EventData fallback = withAppInfo(message("something is wrong com"), getBasicAppInfo());
  if (!focusedElement) return fallback;
  const platform::Element element = *focusedElement;
  platform::Accessibility& ax = platform::current().accessibility();

  const platform::Range range =
      ax::getAttributeValue<platform::Range>(element, "AXSelectedTextRange").value_or(platform::Range{});
  // An unreadable selection is reported as an empty text.
  const std::string text = ax::getAttributeValue<std::string>(element, "AXSelectedText").value_or("");
  const bool editable = ax::isAttributeSettable(element, "AXValue");
  selectedText = text;

  // Path A: bounds of the selected character range.
  std::optional<platform::AXValue> rangeValue = ax.createRangeValue(range);
  if (rangeValue && editable) {
    auto rect = ax::getParameterizedAttributeValue<platform::Rect>(element, "AXBoundsForRange",
                                                                   platform::Value(*rangeValue));
    if (rect && hasHeight(*rect)) {
      return withAppInfo(selectionData(text, true, std::fabs(rect->origin.x), rect->origin.y,
                                       rectWidth(*rect), rectHeight(*rect)),
                         getBasicAppInfo());
    }
  }

  // Path B: the selection's text markers.
  if (!ax::getAttributeValue<platform::TextMarkerRange>(element, "AXSelectedTextMarkerRange")) {
    return fallback;
  }
  std::optional<platform::Rect> corrected = ax::getSelectedTextBoundingRectCorrect(element);
  if (corrected && !(corrected->size.height == 0)) {
    return withAppInfo(selectionData(text, editable, *corrected), getBasicAppInfo());
  }
  if (corrected) {
    std::optional<platform::Rect> reversed = ax::getSelectedTextBoundingRect(element);
    if (!reversed) return message("something wrong rev");
    const double y = reversed->origin.y > 0 ? reversed->origin.y : corrected->origin.y;
    return withAppInfo(selectionData(text, editable, reversed->origin.x, y, rectWidth(*reversed),
                                     rectHeight(*reversed)),
                       getBasicAppInfo());
  }

  // No rectangle at all: select from the old start to the end of the text,
  // so that the next notification has something to measure.
  const std::int64_t count =
      ax::getAttributeValue<std::int64_t>(element, "AXNumberOfCharacters").value_or(0);
  if (std::optional<platform::AXValue> rewrite = ax.createRangeValue(platform::Range{range.location, count})) {
    ax::setAttributeValue(element, "AXSelectedTextRange", platform::Value(*rewrite));
  }
  return fallback;
}

}  // namespace axt::tracker
