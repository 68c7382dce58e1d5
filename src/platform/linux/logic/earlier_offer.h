// What our clipboard offered before its latest offer, for the clients whose
// request is timed within that earlier stretch.
//
// A paste names the time of the key that asked for it. An application busy
// enough to handle Ctrl+V only after a replacement has put the user's
// content back asks with a time from before: refused, it pastes nothing; served
// what is on offer now, it would paste the user's old clipboard over the
// selection. Served what was on offer at its time, it pastes the text the
// replacement meant, and everyone else still gets the user's content.
//
// Only one earlier offer is kept, and for a few seconds at most: the text it
// holds may be private, and a paste later than that was not the one the
// replacement typed.
#pragma once

#include <optional>
#include <vector>

#include "logic/clipboard_targets.h"

namespace axt::lindesk {

// A server time as the X protocol gives it; 0 is "the current time", which
// names no stretch.
using ServerTime = unsigned long;

class EarlierOffer {
 public:
  static constexpr double kKeptFor = 10.0;

  // `targets`, on offer since `from`, stop being offered; `until` is the
  // server time of the change, or 0 when it is not known yet (a clear whose
  // next offer is still to come: `closeAt` gives it then). Offering nothing
  // replaces nothing kept.
  void retire(std::vector<ServedTarget> targets, ServerTime from, ServerTime until, double nowSeconds);
  // The time the retired offer ended, when `retire` didn't know it.
  void closeAt(ServerTime until);
  // What a request timed `time` gets instead of the current offer: the
  // earlier one when the time falls within it (and it is not too old), else
  // nothing.
  const std::vector<ServedTarget>* servedAt(ServerTime time, double nowSeconds);
  // The start of the offer `servedAt` last gave (for TIMESTAMP).
  ServerTime from() const { return kept_ ? kept_->from : 0; }
  // Drops the earlier offer once it is too old to be asked for.
  void expire(double nowSeconds);
  // Another client owns the clipboard: no request reaches us any more.
  void forget() { kept_.reset(); }
  bool holds() const { return kept_.has_value(); }

 private:
  struct Kept {
    std::vector<ServedTarget> targets;
    ServerTime from = 0;
    ServerTime until = 0;  // 0: still open
    double retiredAt = 0;
  };
  std::optional<Kept> kept_;
};

}  // namespace axt::lindesk
