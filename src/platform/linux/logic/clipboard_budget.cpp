#include "logic/clipboard_budget.h"

#include <algorithm>

namespace axt::lindesk {

bool ClipboardBudget::take(std::size_t bytes) {
  // Compared with what is left: a sum could wrap around.
  if (bytes > left()) return false;
  used_ += bytes;
  return true;
}

void ClipboardBudget::giveBack(std::size_t bytes) { used_ -= std::min(bytes, used_); }

}  // namespace axt::lindesk
