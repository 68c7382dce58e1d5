// Option+Return in a text area: the host receives the selection, or the text
// before the caret with the caret's rectangle.
#include "ax/attributes.h"
#include "text/canonical_equivalence.h"
#include "tracker/mac_accessibility.h"
#include "tracker/rect_measures.h"
#include "tracker/roles.h"

namespace axt::tracker {

namespace {

platform::OSStatus hotKeyPressed(platform::EventHandlerCall*, platform::EventRecord*, void* userData) {
  if (auto tracker = trackerFromContext(userData)) tracker->keyPressed();
  return platform::kNoErr;
}

// The caret's rectangle: the probe character's bounds, or, when those have
// no height, the bounds of the selected marker range.
std::optional<platform::Rect> caretRect(const platform::Element& element,
                                        const std::optional<platform::Rect>& probe) {
  if (!probe) return std::nullopt;
  if (hasHeight(*probe)) return probe;
  auto markers = ax::getAttributeValue<platform::TextMarkerRange>(element, "AXSelectedTextMarkerRange");
  if (!markers) return std::nullopt;
  return ax::getParameterizedAttributeValue<platform::Rect>(element, "AXBoundsForTextMarkerRange",
                                                             platform::Value(*markers));
}

json::Value pair(const std::optional<platform::Rect>& rect, const char* first, const char* second,
                 bool origin) {
  if (!rect) return json::Object{{first, json::Value()}, {second, json::Value()}};
  if (origin) return json::Object{{first, rect->origin.x}, {second, rect->origin.y}};
  return json::Object{{first, rectWidth(*rect)}, {second, rectHeight(*rect)}};
}

}  // namespace

platform::EventHandler MacAccessibility::keyPressedGenrate() { return &hotKeyPressed; }

void MacAccessibility::keyPressed() {
  if (!frontmostApp || !processID) return;
  platform::Element appElement = ax::getAppRef(*processID);
  auto element = ax::getAttributeValue<platform::Element>(appElement, "AXFocusedUIElement");
  if (!element) return;
  focusedElement = *element;

  auto role = ax::getAttributeValue<std::string>(*element, "AXRole");
  if (!role || !text::canonicallyEqual(*role, kRoleTextArea)) return;
  auto count = ax::getAttributeValue<std::int64_t>(*element, "AXNumberOfCharacters");
  if (!count || *count == 0) return;

  auto range = ax::getAttributeValue<platform::Range>(*element, "AXSelectedTextRange");
  if (!range || range->length != 0) {
    callback("alt_enter_pressed", nativeTextFieldSelectedText());
    return;
  }

  platform::Accessibility& ax = platform::current().accessibility();
  const std::int64_t caret = range->location;
  const platform::Range probeRange =
      caret == *count ? platform::Range{caret - 1, 1} : platform::Range{caret, 1};
  std::optional<platform::Rect> probe;
  if (auto probeValue = ax.createRangeValue(probeRange)) {
    probe = ax::getParameterizedAttributeValue<platform::Rect>(*element, "AXBoundsForRange",
                                                               platform::Value(*probeValue));
  }

  std::optional<std::string> before = getTextAboveInsertionPoint(*element);
  if (!before) {
    callback("error", EventData{{"message", json::Value("something is wrong")}});
    callback("alt_enter_pressed", EventData{});
    return;
  }
  std::optional<platform::Rect> rect = caretRect(*element, probe);
  callback("alt_enter_pressed", EventData{{"selected_text", json::Value(*before)},
                                          {"is_editable", json::Value(true)},
                                          {"position", pair(rect, "x", "y", true)},
                                          {"size", pair(rect, "width", "height", false)}});
}

std::optional<std::string> MacAccessibility::getTextAboveInsertionPoint(
    const platform::Element& element) {
  const std::int64_t caret =
      ax::getAttributeValue<platform::Range>(element, "AXSelectedTextRange").value_or(platform::Range{}).location;
  auto value = platform::current().accessibility().createRangeValue(platform::Range{0, caret});
  if (!value) return std::nullopt;
  return ax::getParameterizedAttributeValue<std::string>(element, "AXStringForRange",
                                                         platform::Value(*value));
}

}  // namespace axt::tracker
