// In place of the pasteboard's Objective-C half: the simulated desktop's own
// pasteboard, as it is.
#include "pasteboard.h"

#include "simdesk/desktop.h"

namespace axt::macdesk {

namespace {
platform::Pasteboard& desktop() { return simdesk::seam().pasteboard(); }
}  // namespace

std::int64_t AppKitPasteboard::changeCount() { return desktop().changeCount(); }

std::vector<platform::PasteboardItem> AppKitPasteboard::items() { return desktop().items(); }

std::optional<std::string> AppKitPasteboard::stringForType(std::string_view type) {
  return desktop().stringForType(type);
}

std::int64_t AppKitPasteboard::clearContents() { return desktop().clearContents(); }

bool AppKitPasteboard::writeItems(const std::vector<platform::PasteboardItem>& items) {
  return desktop().writeItems(items);
}

}  // namespace axt::macdesk
