// The element that last had the keyboard focus in each application, as the
// focus events and the library's own questions told it. Asking an
// application for its focused element costs a search of its tree; while the
// events are heard, the answer is already here.
//
// It also tells a move of the focus from its return (focus_moves.h).
//
// An element of a tree embedded in another application's window (a page
// of a browser whose pages run in a process of their own) is that
// application's focused element: it is recorded under the holding
// application's bus name, which the caller gives (embedded_trees.h).
#pragma once

#include <atspi/atspi.h>

#include <map>
#include <string>

#include "glue/gobject_ref.h"
#include "logic/focus_moves.h"
#include "logic/grab_hold_back.h"

namespace axt::lindesk {

class FocusCache {
 public:
  // Records the element as the focused one of the application at
  // `applicationBus`, as told at `heardAt` (monotonic seconds); true when
  // that is a move of the focus.
  bool noteFocusGained(const std::string& applicationBus, AtspiAccessible* element, double heardAt);
  // The element claimed the focus at `heardAt` and had lost it before the
  // claim was handled: the element recorded may have lost it too meanwhile.
  void noteClaimTakenBack(const std::string& applicationBus, AtspiAccessible* element, double heardAt);
  // Empty when no focus event of the application was heard.
  GRef<AtspiAccessible> cachedFocus(const std::string& busName) const;
  // Forgets every element: the bus they were on went away.
  void forgetAll() {
    focused_.clear();
    moves_.forgetAll();
  }
  GrabHoldBack& grabHoldBack() { return grabHoldBack_; }

 private:
  std::map<std::string, GRef<AtspiAccessible>> focused_;  // by bus name
  FocusMoves moves_;
  GrabHoldBack grabHoldBack_;
};

}  // namespace axt::lindesk
