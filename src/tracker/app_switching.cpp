// Adopting each newly activated or launched application.
#include "ax/attributes.h"
#include "ax/log.h"
#include "ax/registrations.h"
#include "text/canonical_equivalence.h"
#include "tracker/mac_accessibility.h"

namespace axt::tracker {

namespace {

platform::RunningApplicationRef applicationOf(const platform::WorkspaceNotification& notification) {
  if (!notification.userInfo || notification.userInfo->empty()) return nullptr;
  auto found = notification.userInfo->find(std::string(platform::kApplicationKey));
  if (found == notification.userInfo->end()) return nullptr;
  const auto* app = std::get_if<platform::RunningApplicationRef>(&found->second);
  return app != nullptr ? *app : nullptr;
}

}  // namespace

void MacAccessibility::appChangedEvent(const platform::WorkspaceNotification& notification) {
  platform::RunningApplicationRef app = applicationOf(notification);
  if (!app) {
    ax::logLine("returing");
    return;
  }
  std::optional<std::string> name = app->localizedName();
  if (name && text::canonicallyEqual(*name, kHostApplicationName)) return;
  // The host by its process too, whatever it is called: a host on the
  // accessibility bus (a toolkit's bridge in its own process) must not be
  // followed as the application the user writes in.
  if (app->processIdentifier() == ax::getHostProcess()) return;
  if (frontmostApp && frontmostApp->processIdentifier() == app->processIdentifier()) return;
  if (!app->isFinishedLaunching()) return;

  frontmostApp = app;
  processID = frontmostApp->processIdentifier();
  const platform::Pid pid = *processID;

  platform::Element appElement = ax::getAppRef(pid);
  const bool focused = ax::getAttributeValue<platform::Element>(appElement, "AXFocusedUIElement")
                           .has_value();
  ax::setAttributeValue(appElement, "AXEnhancedUserInterface", platform::Value(true));

  if (!focused) {
    ax::logLine("some where around herer");
    std::optional<std::string> bundleId = app->bundleIdentifier();
    if (!bundleId) return;
    callback("app_changed", EventData{{"role", json::Value()},
                                      {"name", json::Value(name)},
                                      {"bundle_id", json::Value(*bundleId)}});
    ax::setNotification(appElement, pid, "AXFocusedUIElementChanged", uiFocusedChange(), this);
    ax::setNotification(appElement, pid, "AXSelectedTextChanged", selectedTextChange(), this);
    return;
  }

  std::optional<std::string> role = ax::getAttributeValue<std::string>(appElement, "AXRole");
  EventData data{{"role", json::Value(role)},
                 {"name", json::Value(frontmostApp->localizedName())},
                 {"bundle_id", json::Value(frontmostApp->bundleIdentifier())}};
  ax::logLine(ax::optionalText(role));
  callback("app_changed", data);
  ax::setNotification(appElement, pid, "AXFocusedUIElementChanged", uiFocusedChange(), this);
  ax::setNotification(appElement, pid, "AXWindowMoved", uiPositionChange(), this);
  ax::setNotification(appElement, pid, "AXWindowResized", uiPositionChange(), this);
  ax::setNotification(appElement, pid, "AXSelectedTextChanged", selectedTextChange(), this);
}

}  // namespace axt::tracker
