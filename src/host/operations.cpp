#include "host/operations.h"

#include <cstring>
#include <memory>

#include "ax/log.h"
#include "host/configuration.h"
#include "host/delivery/event_delivery.h"
#include "json/json.h"
#include "host/delivery/module_state.h"
#include "platform/platform.h"
#include "tracker/mac_accessibility.h"
#include "text/utf8.h"

namespace axt::host {

namespace {

std::string_view textOf(const char* text) {
  return text == nullptr ? std::string_view() : std::string_view(text, std::strlen(text));
}

bool trustQuery(bool prompt) { return platform::current().accessibility().isProcessTrusted(prompt); }

}  // namespace

void initMacAccessibility(axtrack_callback callback) {
  observer_callback() = callback;
  macAccessibility() = std::make_shared<tracker::MacAccessibility>(&callbackWraper);
}

void start(const char* configuration) {
  // Before initMacAccessibility or after main there is no tracker to start:
  // an out-of-order call does nothing.
  std::shared_ptr<tracker::MacAccessibility> tracker = macAccessibility();
  if (!tracker) return;
  tracker->start();
  // A null text is treated as text that isn't JSON.
  const std::string text = text::toValidUtf8(textOf(configuration));
  std::optional<tracker::BlockedFieldList> list = parseConfiguration(text);
  if (list) tracker->setBlockedFiledList(std::move(*list));
}

void setText(const char* text) {
  std::shared_ptr<tracker::MacAccessibility> tracker = macAccessibility();
  // Pasting an empty text in place of a null one would delete the user's
  // selection; a null text is ignored.
  if (!tracker || text == nullptr) return;
  tracker->setSelectedText(text::toValidUtf8(textOf(text)));
}

void focusPrivous() {
  // Without a tracker (before initMacAccessibility, after main) the call is
  // out of order: it does nothing rather than touch an empty module value.
  const auto& tracker = macAccessibility();
  if (!tracker) return;
  tracker->acctivateTheForMost();
  ax::logLine("hello");
}

bool isAccessibiltyEnabled() { return trustQuery(false); }

bool showAccessibiltyPermisionPopup() { return trustQuery(true); }

std::int32_t main(std::int32_t, char**) {
  macAccessibility().reset();
  observer_callback() = nullptr;
  eventParams().reset();
  return 0;
}

}  // namespace axt::host
