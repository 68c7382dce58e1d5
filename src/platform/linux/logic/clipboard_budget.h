// How much of a clipboard owner's data a save may hold. The owner is
// another process: it says how big its data is (an INCR transfer's first
// word) and sends as many pieces as it likes, and nothing of that may
// decide what the host's process allocates. A save holds at most
// kMaxSavedBytes across all its formats; a format that would pass the
// bound is dropped whole, as if the owner had refused it, so that a
// truncated copy is never put back in the user's clipboard.
#pragma once

#include <cstddef>

namespace axt::lindesk {

class ClipboardBudget {
 public:
  // Far above any text or picture copied by hand, far below what would
  // trouble the host's memory.
  static constexpr std::size_t kMaxSavedBytes = std::size_t{64} << 20;

  // Whether `bytes` more may be held; taken from what is left if so, and
  // nothing is taken if not.
  bool take(std::size_t bytes);
  // `bytes` taken before are no longer held (a format dropped).
  void giveBack(std::size_t bytes);
  std::size_t left() const { return kMaxSavedBytes - used_; }

 private:
  std::size_t used_ = 0;
};

}  // namespace axt::lindesk
