#include "atspi/focus_cache.h"

#include "logic/handles.h"

namespace axt::lindesk {

bool FocusCache::noteFocusGained(const std::string& applicationBus, AtspiAccessible* element) {
  const ObjectKey key = keyOf(element);
  if (key.busName.empty() || applicationBus.empty()) return false;
  GRef<AtspiAccessible>& slot = focused_[applicationBus];
  const bool moved = !slot || !(keyOf(slot.get()) == key);
  slot = GRef<AtspiAccessible>::retain(element);
  return moved;
}

GRef<AtspiAccessible> FocusCache::cachedFocus(const std::string& busName) const {
  auto it = focused_.find(busName);
  return it != focused_.end() ? it->second : GRef<AtspiAccessible>();
}

}  // namespace axt::lindesk
