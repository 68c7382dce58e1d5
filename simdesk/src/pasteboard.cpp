#include "pasteboard.h"

#include "state.h"

namespace simdesk::detail {

std::int64_t PasteboardStore::clear() {
  items_.clear();
  return ++changeCount_;
}

void PasteboardStore::write(const std::vector<PasteboardItem>& items) {
  items_.insert(items_.end(), items.begin(), items.end());
}

std::optional<std::string> PasteboardStore::stringForType(std::string_view type) const {
  for (const PasteboardItem& item : items_) {
    for (const auto& [t, data] : item.types) {
      if (t == type) return data;
    }
  }
  return std::nullopt;
}

std::int64_t PasteboardService::changeCount() { return state().pasteboard.changeCount(); }

std::vector<PasteboardItem> PasteboardService::items() { return state().pasteboard.items(); }

std::optional<std::string> PasteboardService::stringForType(std::string_view type) {
  return state().pasteboard.stringForType(type);
}

// The library's own clears and writes; another application's copy goes to
// the store directly.
std::int64_t PasteboardService::clearContents() {
  PasteboardStore& store = state().pasteboard;
  return store.writable() ? store.clear() : store.changeCount();
}

bool PasteboardService::writeItems(const std::vector<PasteboardItem>& items) {
  PasteboardStore& store = state().pasteboard;
  if (!store.writable()) return false;
  store.write(items);
  return true;
}

}  // namespace simdesk::detail
