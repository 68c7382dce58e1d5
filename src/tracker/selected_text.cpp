// Selection changes in the tracked applications: the caret, text selected in
// fields and text areas, and selections in static text.
#include "ax/attributes.h"
#include "ax/geometry.h"
#include "ax/log.h"
#include "tracker/mac_accessibility.h"
#include "tracker/observer_callback.h"
#include "tracker/roles.h"
#include "tracker/selection_data.h"

namespace axt::tracker {

platform::ObserverCallback MacAccessibility::selectedTextChange() {
  return &observerCallback<&MacAccessibility::handleSelectedTextChange>;
}

void MacAccessibility::handleSelectedTextChange(const platform::Element& element) {
  std::optional<std::string> selection = ax::getAttributeValue<std::string>(element, "AXSelectedText");
  std::optional<std::string> role = ax::getAttributeValue<std::string>(element, "AXRole");
  focusedElement = element;
  ax::logLine("Selected text ROle " + ax::optionalText(role));

  if (isBlockedField(element)) {
    ax::logLine("blocked");
    return;
  }

  if (selection) {
    if (selection->empty()) {
      callback("caret", EventData{});
    } else if (role && isTextInputRole(*role)) {
      callback("text_select", nativeTextFieldSelectedText());
    }
  }

  if (!role || !text::canonicallyEqual(*role, kRoleStaticText)) return;
  auto markerRange = ax::getAttributeValue<platform::TextMarkerRange>(element, "AXSelectedTextMarkerRange");
  if (!markerRange) return;
  std::optional<platform::Rect> rect = ax::getSelectedTextBoundingRectCorrect(element);
  std::optional<std::string> text = ax::getParameterizedAttributeValue<std::string>(
      element, "AXStringForTextMarkerRange", platform::Value(*markerRange));
  if (!rect) return;
  // A marker range with bounds but no string is reported with an empty text.
  callback("text_select", withAppInfo(selectionData(text.value_or(""), true, *rect), getBasicAppInfo()));
}

}  // namespace axt::tracker
