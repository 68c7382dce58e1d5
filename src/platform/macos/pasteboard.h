// The general pasteboard (AppKit): its change count, every item with every
// type's data, a type's string, clearing, and writing items back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace axt::macdesk {

class AppKitPasteboard final : public platform::Pasteboard {
 public:
  std::int64_t changeCount() override;
  // A type whose data can't be had (a promise its owner doesn't keep) is
  // left out: it couldn't be written back.
  std::vector<platform::PasteboardItem> items() override;
  std::optional<std::string> stringForType(std::string_view type) override;
  std::int64_t clearContents() override;
  bool writeItems(const std::vector<platform::PasteboardItem>& items) override;
};

}  // namespace axt::macdesk
