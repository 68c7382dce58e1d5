// Xlib's process-wide handlers, routed to the backend: the X errors of the
// requests made in a trap are the trap's instead of ending the process, and
// a broken connection of the backend's is noted instead of ending it. Both
// handlers reach the traps through the one pointer kept for them.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <utility>
#include <vector>

namespace axt::lindesk {

class XErrorTraps;

// Catches the X errors of the requests made on `display` while it lives (a
// window that vanished, a key another client has grabbed) instead of
// letting Xlib end the process. An error is the trap's when its request
// was made while the trap was open (errors carry their request's serial);
// traps nest: an error goes to the innermost open trap that was open when
// its request was made. A request with a reply gets its error in place of
// the reply: once the server has answered the last request made, every
// error has come in, and `failed()` and the end of the trap ask nothing
// more. Only requests without a reply left last cost one sync.
class XErrorTrap {
 public:
  XErrorTrap(XErrorTraps& traps, Display* display);
  ~XErrorTrap();
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;
  bool failed();

 private:
  friend class XErrorTraps;
  // Waits for the server to answer the requests made in the trap, unless
  // it has already.
  void awaitReplies();

  XErrorTraps& traps_;
  Display* display_;
  unsigned long first_;  // the serial of the trap's first request
  int error_ = 0;
};

// The traps open now, innermost last, and the error handler that was in
// place before the first one. Xlib has one error handler per process and
// hands it nothing of ours: the handler finds the traps that installed it
// through the one pointer kept for it (error_traps.cpp).
class XErrorTraps {
 public:
  XErrorTraps() = default;
  ~XErrorTraps();
  XErrorTraps(const XErrorTraps&) = delete;
  XErrorTraps& operator=(const XErrorTraps&) = delete;

  // The error handler's work while traps are open. An error of a display
  // that no trap watches goes to the handler that was there before.
  int onError(Display* display, XErrorEvent* event);

  // Follows one of the backend's connections. Xlib ends the process when a
  // connection breaks (the X server went away); for these it calls `lost`
  // instead, from within the Xlib call that found the break, and the
  // process goes on. `lost` must not use the connection: Xlib answers
  // every later call on it at once, with nothing. Connections of the host's
  // own go on to the handler that was there before.
  void followConnection(Display* display, std::function<void()> lost);
  // The I/O error handler's work: true for a connection followed here.
  bool onConnectionLost(Display* display);
  using IOErrorHandler = int (*)(Display*);
  IOErrorHandler previousIOHandler() const { return previousIO_; }

 private:
  friend class XErrorTrap;
  void open(XErrorTrap* trap);
  void close(XErrorTrap* trap);

  std::vector<XErrorTrap*> open_;  // not owned: each trap lives on the stack
  int (*previous_)(Display*, XErrorEvent*) = nullptr;
  std::vector<std::pair<Display*, std::function<void()>>> followed_;
  IOErrorHandler previousIO_ = nullptr;
  bool ioHandlerInstalled_ = false;
};

}  // namespace axt::lindesk
