// The general pasteboard.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace simdesk::detail {

using axt::platform::PasteboardItem;

class PasteboardStore {
 public:
  // Sets the contents without a change of ownership: the state a test or
  // scenario starts from.
  void set(std::vector<PasteboardItem> items) { items_ = std::move(items); }
  void setWritable(bool writable) { writable_ = writable; }
  bool writable() const { return writable_; }
  // Clearing takes ownership, which is the change the count records;
  // writing afterwards doesn't count again.
  std::int64_t clear();
  void write(const std::vector<PasteboardItem>& items);
  std::optional<std::string> stringForType(std::string_view type) const;
  const std::vector<PasteboardItem>& items() const { return items_; }
  std::int64_t changeCount() const { return changeCount_; }

 private:
  std::vector<PasteboardItem> items_;
  std::int64_t changeCount_ = 0;
  bool writable_ = true;
};

class PasteboardService final : public axt::platform::Pasteboard {
 public:
  std::int64_t changeCount() override;
  std::vector<PasteboardItem> items() override;
  std::optional<std::string> stringForType(std::string_view type) override;
  std::int64_t clearContents() override;
  bool writeItems(const std::vector<PasteboardItem>& items) override;
};

}  // namespace simdesk::detail
