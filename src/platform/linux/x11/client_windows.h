// The window manager's list of the windows it manages, and the process of
// each, for the backend's connection: read from the X server when first
// asked for, then kept true by its notifications (managed_windows.h). The
// list is read again only after it changed, a window's process once in the
// window's life: a question about an application's windows costs no
// request per window on the screen.
#pragma once

#include <X11/Xlib.h>

#include "logic/managed_windows.h"

namespace axt::lindesk {

class X11Display;

class ClientWindows {
 public:
  explicit ClientWindows(X11Display& x11) : x11_(x11) {}
  ClientWindows(const ClientWindows&) = delete;
  ClientWindows& operator=(const ClientWindows&) = delete;

  // Brings what is known up to date: the notifications already received
  // first, then the list if it changed, then the process of each window
  // new to it. False when no window manager keeps a list (or there is no
  // X server).
  bool refresh();
  // Applies the notifications the connection has received and not yet
  // handed out, without handing them out (their handlers run later, in
  // their turn): what is known is then as new as the events read.
  void catchUp();
  // An event of the connection, in its turn.
  void note(const XEvent& event);

  ManagedWindows& known() { return known_; }

 private:
  static Bool peek(Display* display, XEvent* event, XPointer self);

  X11Display& x11_;
  ManagedWindows known_;
  Atom clientList_ = None;
  Atom applicationId_ = None;
};

}  // namespace axt::lindesk
