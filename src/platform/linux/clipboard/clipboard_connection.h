// The clipboard's own connection to the X server, with a hidden window of
// ours that owns the clipboard and receives what other owners send us.
// Kept apart from the backend's main connection so that waiting for one
// particular reply (a conversion, a chunk of a large transfer) never holds
// back or reorders the events the rest of the backend reads. Its events are
// handled from the host's GLib main loop, and also while the library
// busy-waits: an owner must answer while the paste it caused is under way.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "glue/monotonic_clock.h"
#include "x11/error_traps.h"
#include "x11/x_resources.h"
#include "x11/x11_event_watch.h"

namespace axt::lindesk {


class GlibRunLoop;
class XErrorTraps;

class ClipboardConnection {
 public:
  // Opens the connection and our window; null when there is no X server.
  // The connection is read from the main loop and, through `runLoop`, while
  // the library busy-waits.
  static std::unique_ptr<ClipboardConnection> open(GlibRunLoop& runLoop, XErrorTraps& traps);

  ClipboardConnection(const ClipboardConnection&) = delete;
  ClipboardConnection& operator=(const ClipboardConnection&) = delete;
  ~ClipboardConnection();

  Display* display() const { return display_.get(); }
  ::Window window() const { return window_; }
  XErrorTraps& traps() const { return traps_; }
  Atom atom(const std::string& name);
  std::string atomName(Atom atom);

  // Whether the server reports selection owner changes (XFixes), and the
  // number its events start at.
  bool reportsOwnerChanges() const { return xfixesEventBase_ >= 0; }
  int xfixesEventBase() const { return xfixesEventBase_; }

  // Every event read from the connection goes here, except those a wait
  // below was looking for.
  void setHandler(std::function<void(const XEvent&)> handler) { handler_ = std::move(handler); }

  // Handles the events that have arrived, without waiting; with `sync`,
  // first makes sure that everything the server did before now has arrived.
  void drain(bool sync);

  // Waits until an event that `wanted` accepts arrives, handling every
  // other one meanwhile; absent once `deadline` (monotonicSeconds) passes.
  std::optional<XEvent> waitFor(const std::function<bool(const XEvent&)>& wanted, double deadline);
  // Handles every event as it arrives until `done` holds (checked first and
  // after each event) or `deadline` passes; whether it holds.
  bool waitUntil(const std::function<bool()>& done, double deadline);

  // The server's current time, for ownership and replies; CurrentTime when
  // the server doesn't answer in time.
  Time serverTime();

  // Whether the connection broke (the X server went away): nothing is read
  // from it any more, and every request on it comes back at once, empty.
  bool lost() const { return lost_; }

 private:
  ClipboardConnection(GlibRunLoop& runLoop, XErrorTraps& traps, DisplayPtr display, ::Window window);
  void dispatch(const XEvent& event);

  GlibRunLoop& runLoop_;
  XErrorTraps& traps_;
  DisplayPtr display_;
  ::Window window_;
  int xfixesEventBase_ = -1;
  std::map<std::string, Atom> atoms_;
  std::function<void(const XEvent&)> handler_;
  bool lost_ = false;
  std::unique_ptr<XEventWatch> watch_;  // declared last: it goes before the display
};

}  // namespace axt::lindesk
