#include "x11/event_masks.h"

namespace axt::lindesk {

void EventMasks::select(Display* d, ::Window window, long mask) {
  Selected& s = selected_[window];
  s.mask |= mask;
  s.at = NextRequest(d);
  // Asked again even when nothing is added: the id may be a new window's.
  XSelectInput(d, window, s.mask);
}

void EventMasks::note(const XEvent& event) {
  if (event.type != DestroyNotify) return;
  // Unless asked for since: the id given to a new window.
  auto it = selected_.find(event.xdestroywindow.window);
  if (it != selected_.end() && event.xdestroywindow.serial >= it->second.at) selected_.erase(it);
}

}  // namespace axt::lindesk
