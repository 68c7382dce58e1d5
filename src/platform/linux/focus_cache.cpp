#include "focus_cache.h"

#include <map>

#include "handles.h"

namespace axt::lindesk {

namespace {

std::map<std::string, GRef<AtspiAccessible>>& focused() {
  static std::map<std::string, GRef<AtspiAccessible>> table;
  return table;
}

}  // namespace

bool noteFocusGained(AtspiAccessible* element) {
  const ObjectKey key = keyOf(element);
  if (key.busName.empty()) return false;
  GRef<AtspiAccessible>& slot = focused()[key.busName];
  const bool moved = !slot || !(keyOf(slot.get()) == key);
  slot = GRef<AtspiAccessible>::retain(element);
  return moved;
}

GRef<AtspiAccessible> cachedFocus(const std::string& busName) {
  auto it = focused().find(busName);
  return it != focused().end() ? it->second : GRef<AtspiAccessible>();
}

}  // namespace axt::lindesk
