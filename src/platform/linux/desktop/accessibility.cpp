#include "desktop/accessibility.h"

#include <signal.h>

#include <cerrno>

#include "atspi/bus_status.h"
#include "atspi/element_attributes.h"
#include "desktop/linux_desktop.h"
#include "logic/handles.h"
#include "translation/notifications.h"
#include "translation/text_markers.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

bool processExists(platform::Pid pid) { return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM); }

}  // namespace

AXError AtspiAccessibility::resolve(const platform::Element& element, Target& out) {
  return resolveTarget(desktop_.atspi(), desktop_.applications(), element, out);
}

bool AtspiAccessibility::isProcessTrusted(bool prompt) {
  const bool before = accessibilityEnabled().value_or(false);
  if (prompt && !before) (void)enableAccessibility();
  return before;
}

platform::Element AtspiAccessibility::createApplication(platform::Pid pid) {
  return ElementHandle::application(pid);
}

AXError AtspiAccessibility::copyAttributeValue(const platform::Element& element, const std::string& attribute,
                                               std::optional<platform::Value>& out) {
  Target t;
  if (AXError code = resolve(element, t); code != axerr::kSuccess) return code;
  return readAttribute({desktop_.atspi(), desktop_.focus(), desktop_.applications(), desktop_.observers()}, t,
                       attribute, out);
}

AXError AtspiAccessibility::copyParameterizedAttributeValue(const platform::Element& element,
                                                            const std::string& attribute,
                                                            const platform::Value& parameter,
                                                            std::optional<platform::Value>& out) {
  Target t;
  if (AXError code = resolve(element, t); code != axerr::kSuccess) return code;
  return readParameterized(desktop_.atspi(), desktop_.textPlacement(), t, attribute, parameter, out);
}

AXError AtspiAccessibility::isAttributeSettable(const platform::Element& element, const std::string& attribute,
                                                bool& settable) {
  Target t;
  if (AXError code = resolve(element, t); code != axerr::kSuccess) return code;
  return checkSettable(desktop_.atspi(), t, attribute, settable);
}

AXError AtspiAccessibility::setAttributeValue(const platform::Element& element, const std::string& attribute,
                                              const platform::Value& value) {
  Target t;
  if (AXError code = resolve(element, t); code != axerr::kSuccess) return code;
  // What the handling read of the application is about to change.
  desktop_.readings().forget();
  return writeAttribute(desktop_.atspi(), t, attribute, value);
}

AXError AtspiAccessibility::copyAttributeNames(const platform::Element& element,
                                               std::optional<std::vector<platform::Value>>& names) {
  Target t;
  if (AXError code = resolve(element, t); code != axerr::kSuccess) return code;
  std::vector<platform::Value> list;
  for (std::string& name : attributeNames(t)) list.emplace_back(std::move(name));
  names = std::move(list);
  return axerr::kSuccess;
}

std::optional<platform::AXValue> AtspiAccessibility::createRangeValue(const platform::Range& range) {
  return platform::AXValue(range);
}

std::optional<platform::TextMarker> AtspiAccessibility::copyStartMarker(const platform::TextMarkerRange& range) {
  return startMarker(range);
}

std::optional<platform::TextMarker> AtspiAccessibility::copyEndMarker(const platform::TextMarkerRange& range) {
  return endMarker(range);
}

std::optional<platform::TextMarkerRange> AtspiAccessibility::createTextMarkerRange(
    const platform::TextMarker& first, const platform::TextMarker& second) {
  return makeMarkerRange(first, second);
}

AXError AtspiAccessibility::createObserver(platform::Pid pid, platform::ObserverCallback callback,
                                           std::optional<platform::Observer>& out) {
  if (!processExists(pid)) return axerr::kCannotComplete;
  desktop_.listeners().start();
  out = platform::Observer(std::make_shared<ObserverHandle>(desktop_.observers().create(pid, callback)));
  return axerr::kSuccess;
}

AXError AtspiAccessibility::addNotification(const platform::Observer& observer, const platform::Element& element,
                                            const std::string& notification, void* context) {
  const auto* o = handleAs<ObserverHandle>(observer);
  Observers& observers = desktop_.observers();
  if (o == nullptr || !observers.exists(o->id())) return axerr::kInvalidUIElementObserver;
  Target t;
  if (AXError code = resolve(element, t); code != axerr::kSuccess) return code;
  if (!isSupportedNotification(notification)) return axerr::kNotificationUnsupported;
  if (isWindowGeometryNotification(notification)) {
    desktop_.windowStructure().watchWindowsOf(t.pid);
  }
  return observers.addRegistration(o->id(), element, t.pid, notification, context);
}

void AtspiAccessibility::addRunLoopSource(const platform::Observer& observer, platform::RunLoopMode /*mode*/) {
  if (const auto* o = handleAs<ObserverHandle>(observer)) desktop_.observers().install(o->id());
}

}  // namespace axt::lindesk
