// Focus moves and window moves or resizes in the tracked applications.
#include "ax/attributes.h"
#include "ax/registrations.h"
#include "tracker/mac_accessibility.h"
#include "tracker/observer_callback.h"
#include "tracker/roles.h"

namespace axt::tracker {

platform::ObserverCallback MacAccessibility::uiFocusedChange() {
  return &observerCallback<&MacAccessibility::handleFocusChange>;
}
platform::ObserverCallback MacAccessibility::uiPositionChange() {
  return &observerCallback<&MacAccessibility::handlePositionChange>;
}

void MacAccessibility::handleFocusChange(const platform::Element& element) {
  if (!ax::getAttributeValue<std::string>(element, "AXRole")) return;
  focusedElement = element;
  // Observers of applications adopted earlier still bring their focus
  // changes here; without a process of our own there is nothing to observe
  // the element under, and the event still goes out.
  if (processID) {
    ax::setNotification(element, *processID, "AXSelectedTextChanged", selectedTextChange(), this);
  }
  callback("focused_changed", getBasicAppInfo());
}

void MacAccessibility::handlePositionChange(const platform::Element& element) {
  std::optional<std::string> selection = ax::getAttributeValue<std::string>(element, "AXSelectedText");
  std::optional<std::string> role = ax::getAttributeValue<std::string>(element, "AXRole");
  focusedElement = element;
  if (!selection || selection->empty()) return;
  if (role && isTextInputRole(*role)) callback("ui_reized", nativeTextFieldSelectedText());
}

}  // namespace axt::tracker
