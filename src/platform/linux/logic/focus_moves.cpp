#include "logic/focus_moves.h"

namespace axt::lindesk {

bool FocusMoves::gained(const std::string& applicationBus, const ObjectKey& element, double heardAt) {
  auto [it, added] = records_.try_emplace(applicationBus, Record{element, std::nullopt});
  if (added) return true;
  Record& record = it->second;
  const bool back = record.leftAt && heardAt >= *record.leftAt && heardAt - *record.leftAt <= kReturnWithin;
  const bool moved = back || !(record.holder == element);
  record = Record{element, std::nullopt};
  return moved;
}

void FocusMoves::claimTakenBack(const std::string& applicationBus, const ObjectKey& element, double heardAt) {
  auto it = records_.find(applicationBus);
  // An element that claimed the focus it already had, and lost it again,
  // leaves the record as it is: whatever took the focus from it will
  // claim it, or did.
  if (it == records_.end() || it->second.holder == element) return;
  it->second.leftAt = heardAt;
}

}  // namespace axt::lindesk
