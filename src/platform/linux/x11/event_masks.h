// The events the backend's connection asks of each window. X keeps one
// mask per client and window, and a request replaces it: asking for more
// must repeat what was asked before, so the masks asked for are remembered
// here, until the window is destroyed, with no need to ask the server.
#pragma once

#include <X11/Xlib.h>

#include <map>

namespace axt::lindesk {

class EventMasks {
 public:
  // Adds `mask` to the events heard from `window`, beside those asked for
  // before. Traps no error.
  void select(Display* d, ::Window window, long mask);
  // An event of the connection, in its turn: a destroyed window's masks
  // are forgotten.
  void note(const XEvent& event);

 private:
  struct Selected {
    long mask = NoEventMask;
    unsigned long at = 0;  // the serial of the last request asking
  };

  std::map<::Window, Selected> selected_;
};

}  // namespace axt::lindesk
