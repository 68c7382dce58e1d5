#include "tracker/mac_accessibility.h"

#include <utility>

#include "ax/log.h"
#include "ax/registrations.h"

namespace axt::tracker {

MacAccessibility::MacAccessibility(Callback cb) : callback(cb) {}

MacAccessibility::~MacAccessibility() { ax::forgetRegistrationsOf(this); }

void MacAccessibility::start() {
  // The answer doesn't matter: tracking starts either way, and reads made
  // without permission simply come back empty.
  (void)platform::current().accessibility().isProcessTrusted(false);
  ax::logLine("Accessibility is enabled");
  std::shared_ptr<MacAccessibility> self = shared_from_this();
  ax::setAppChangedNotification(
      [self](const platform::WorkspaceNotification& n) { self->appChangedEvent(n); },
      keyPressedGenrate(), this);
}

EventData MacAccessibility::getBasicAppInfo() {
  EventData info;
  if (!frontmostApp) return info;
  // An application without a bundle identifier or name gives null there.
  info["bundle_id"] = json::Value(frontmostApp->bundleIdentifier());
  info["name"] = json::Value(frontmostApp->localizedName());
  return info;
}

void MacAccessibility::acctivateTheForMost() {
  if (frontmostApp) (void)frontmostApp->activate(0);
}

void MacAccessibility::setBlockedFiledList(BlockedFieldList list) {
  blockedFiledsList = std::move(list);
}

std::shared_ptr<MacAccessibility> trackerFromContext(void* context) {
  if (context == nullptr) return nullptr;
  return static_cast<MacAccessibility*>(context)->weak_from_this().lock();
}

}  // namespace axt::tracker
