#include "logic/handling_cache.h"

#include <algorithm>

namespace axt::lindesk {

ObjectReadings& HandlingCache::readingsOf(AtspiAccessible* object) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first.get() == object; });
  if (it != entries_.end()) return it->second;
  // Held, so that the object (and the address it is known by) outlives the
  // handling.
  entries_.emplace_back(GRef<AtspiAccessible>::retain(object), ObjectReadings{});
  return entries_.back().second;
}

}  // namespace axt::lindesk
