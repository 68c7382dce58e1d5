#include "clipboard_connection.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xfixes.h>
#include <glib.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "run_loop.h"
#include "x11_display.h"

namespace axt::lindesk {

namespace {

constexpr double kServerTimeLimit = 1.0;

struct Watch {
  GSource source;  // first: GLib hands the struct out as a GSource
  ClipboardConnection* connection;
  GPollFD poll;
};

// Xlib buffers: events may already sit in the queue without the socket
// being readable, so prepare and check look at the queue as well.
gboolean watchPrepare(GSource* source, gint* timeout) {
  *timeout = -1;
  auto* w = reinterpret_cast<Watch*>(source);
  return XPending(w->connection->display()) > 0;
}

gboolean watchCheck(GSource* source) {
  auto* w = reinterpret_cast<Watch*>(source);
  if ((w->poll.revents & G_IO_IN) != 0) return TRUE;
  return XPending(w->connection->display()) > 0;
}

gboolean watchDispatch(GSource* source, GSourceFunc, gpointer) {
  reinterpret_cast<Watch*>(source)->connection->drain(false);
  return G_SOURCE_CONTINUE;
}

GSourceFuncs kWatchFuncs = {watchPrepare, watchCheck, watchDispatch, nullptr, nullptr, nullptr};

void watchOnMainLoop(ClipboardConnection* connection) {
  GSource* source = g_source_new(&kWatchFuncs, sizeof(Watch));
  auto* w = reinterpret_cast<Watch*>(source);
  w->connection = connection;
  w->poll.fd = ConnectionNumber(connection->display());
  w->poll.events = G_IO_IN | G_IO_HUP | G_IO_ERR;
  g_source_add_poll(source, &w->poll);
  g_source_attach(source, nullptr);  // the default context: the host's main loop
  g_source_unref(source);            // the context keeps it
}

struct ConnectionHolder {
  std::unique_ptr<ClipboardConnection> connection;
  bool tried = false;
};

ConnectionHolder& holder() {
  static ConnectionHolder h;
  return h;
}

}  // namespace

double monotonicSeconds() { return static_cast<double>(g_get_monotonic_time()) / 1e6; }

ClipboardConnection* ClipboardConnection::get() {
  ConnectionHolder& h = holder();
  if (h.tried) return h.connection.get();
  h.tried = true;
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) return nullptr;
  // Unmapped and input-only: nothing of it ever shows.
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  attributes.override_redirect = True;
  const ::Window w = XCreateWindow(d, DefaultRootWindow(d), -10, -10, 1, 1, 0, CopyFromParent, InputOnly,
                                   CopyFromParent, CWEventMask | CWOverrideRedirect, &attributes);
  h.connection.reset(new ClipboardConnection(d, w));
  ClipboardConnection* c = h.connection.get();
  int eventBase = 0;
  int errorBase = 0;
  if (XFixesQueryExtension(d, &eventBase, &errorBase) != 0) {
    c->xfixesEventBase_ = eventBase;
    XFixesSelectSelectionInput(d, w, c->atom("CLIPBOARD"),
                               XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                                   XFixesSelectionClientCloseNotifyMask);
  }
  XFlush(d);
  watchOnMainLoop(c);
  addBusyWaitService(ConnectionNumber(d), [c] { c->drain(false); });
  return c;
}

ClipboardConnection::ClipboardConnection(Display* display, ::Window window)
    : display_(display), window_(window) {}

ClipboardConnection::~ClipboardConnection() {
  XDestroyWindow(display_, window_);
  XCloseDisplay(display_);
}

Atom ClipboardConnection::atom(const std::string& name) {
  if (auto it = atoms_.find(name); it != atoms_.end()) return it->second;
  const Atom a = XInternAtom(display_, name.c_str(), False);
  atoms_.emplace(name, a);
  return a;
}

std::string ClipboardConnection::atomName(Atom a) {
  if (a == None) return {};
  for (const auto& [name, known] : atoms_) {
    if (known == a) return name;
  }
  // An atom that isn't one (another client's garbage) is an error, which
  // must not end the process.
  XErrorTrap trap(display_);
  char* raw = XGetAtomName(display_, a);
  if (trap.failed() || raw == nullptr) {
    if (raw != nullptr) XFree(raw);
    return {};
  }
  std::string name(raw);
  XFree(raw);
  atoms_.emplace(name, a);
  return name;
}

void ClipboardConnection::dispatch(const XEvent& event) {
  if (handler_) handler_(event);
}

void ClipboardConnection::drain(bool sync) {
  if (sync) XSync(display_, False);
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    dispatch(event);
  }
}

std::optional<XEvent> ClipboardConnection::waitFor(const std::function<bool(const XEvent&)>& wanted,
                                                   double deadline) {
  XFlush(display_);
  for (;;) {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (wanted(event)) return event;
      dispatch(event);
    }
    const double left = deadline - monotonicSeconds();
    if (left <= 0) return std::nullopt;
    pollfd fd{ConnectionNumber(display_), POLLIN, 0};
    const int ms = static_cast<int>(std::ceil(std::min(left, 1.0) * 1000.0));
    if (poll(&fd, 1, ms) < 0 && errno != EINTR) return std::nullopt;
    if ((fd.revents & (POLLHUP | POLLERR)) != 0) return std::nullopt;
  }
}

Time ClipboardConnection::serverTime() {
  // Appending nothing to a property of our own still changes it: the
  // notification carries the server's time.
  const Atom stamp = atom("AXTRACK_TIME");
  XChangeProperty(display_, window_, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
  std::optional<XEvent> e = waitFor(
      [&](const XEvent& ev) {
        return ev.type == PropertyNotify && ev.xproperty.window == window_ && ev.xproperty.atom == stamp;
      },
      monotonicSeconds() + kServerTimeLimit);
  return e ? e->xproperty.time : CurrentTime;
}

}  // namespace axt::lindesk
