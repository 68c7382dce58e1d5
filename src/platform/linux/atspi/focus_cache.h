// The element that last had the keyboard focus in each application, as the
// focus events and the library's own questions told it. Asking an
// application for its focused element costs a search of its tree; while the
// events are heard, the answer is already here.
//
// It also tells a move of the focus from its return: when a window becomes
// active again (or a grab of the keyboard ends) the toolkit gives the focus
// back to the element that had it, and reports that as the element gaining
// the focus. The focus hasn't moved then, and no notification goes out.
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
#include "logic/grab_quiet.h"

namespace axt::lindesk {

class FocusCache {
 public:
  // Records the element as the focused one of the application at
  // `applicationBus`; true when it is another element than the one
  // recorded before.
  bool noteFocusGained(const std::string& applicationBus, AtspiAccessible* element);
  // Empty when no focus event of the application was heard.
  GRef<AtspiAccessible> cachedFocus(const std::string& busName) const;
  // Forgets every element: the bus they were on went away.
  void forgetAll() { focused_.clear(); }
  GrabQuiet& grabQuiet() { return grabQuiet_; }

 private:
  std::map<std::string, GRef<AtspiAccessible>> focused_;  // by bus name
  GrabQuiet grabQuiet_;
};

}  // namespace axt::lindesk
