#include "atspi/focus_cache.h"

#include "logic/handles.h"

namespace axt::lindesk {

bool FocusCache::noteFocusGained(const std::string& applicationBus, AtspiAccessible* element, double heardAt) {
  const ObjectKey key = keyOf(element);
  if (key.busName.empty() || applicationBus.empty()) return false;
  focused_[applicationBus] = GRef<AtspiAccessible>::retain(element);
  return moves_.gained(applicationBus, key, heardAt);
}

void FocusCache::noteClaimTakenBack(const std::string& applicationBus, AtspiAccessible* element, double heardAt) {
  const ObjectKey key = keyOf(element);
  if (key.busName.empty() || applicationBus.empty()) return;
  moves_.claimTakenBack(applicationBus, key, heardAt);
}

GRef<AtspiAccessible> FocusCache::cachedFocus(const std::string& busName) const {
  auto it = focused_.find(busName);
  return it != focused_.end() ? it->second : GRef<AtspiAccessible>();
}

}  // namespace axt::lindesk
