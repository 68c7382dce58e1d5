#include "clipboard/clipboard_connection.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xfixes.h>
#include <glib.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "glue/run_loop.h"

namespace axt::lindesk {

namespace {

constexpr double kServerTimeLimit = 1.0;

}  // namespace


std::unique_ptr<ClipboardConnection> ClipboardConnection::open(GlibRunLoop& runLoop, XErrorTraps& traps) {
  DisplayPtr display(XOpenDisplay(nullptr));
  if (!display) return nullptr;
  Display* d = display.get();
  // Unmapped and input-only: nothing of it ever shows.
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  attributes.override_redirect = True;
  const ::Window w = XCreateWindow(d, DefaultRootWindow(d), -10, -10, 1, 1, 0, CopyFromParent, InputOnly,
                                   CopyFromParent, CWEventMask | CWOverrideRedirect, &attributes);
  std::unique_ptr<ClipboardConnection> c(new ClipboardConnection(runLoop, traps, std::move(display), w));
  int eventBase = 0;
  int errorBase = 0;
  if (XFixesQueryExtension(d, &eventBase, &errorBase) != 0) {
    c->xfixesEventBase_ = eventBase;
    XFixesSelectSelectionInput(d, w, c->atom("CLIPBOARD"),
                               XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                                   XFixesSelectionClientCloseNotifyMask);
  }
  XFlush(d);
  ClipboardConnection* self = c.get();
  traps.followConnection(d, [self] {
    self->lost_ = true;
    if (self->watch_) self->watch_->stop();
  });
  c->watch_ = std::make_unique<XEventWatch>(runLoop, d, [self] { self->drain(false); });
  runLoop.addBusyWaitService(ConnectionNumber(d), [self] { self->drain(false); });
  return c;
}

ClipboardConnection::ClipboardConnection(GlibRunLoop& runLoop, XErrorTraps& traps, DisplayPtr display,
                                         ::Window window)
    : runLoop_(runLoop), traps_(traps), display_(std::move(display)), window_(window) {}

ClipboardConnection::~ClipboardConnection() {
  runLoop_.removeBusyWaitService(ConnectionNumber(display_.get()));
  watch_.reset();
  XDestroyWindow(display_.get(), window_);
}

Atom ClipboardConnection::atom(const std::string& name) {
  if (auto it = atoms_.find(name); it != atoms_.end()) return it->second;
  const Atom a = XInternAtom(display_.get(), name.c_str(), False);
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
  XErrorTrap trap(traps_, display_.get());
  const XPtr<char> raw(XGetAtomName(display_.get(), a));
  if (trap.failed() || raw == nullptr) return {};
  std::string name(raw.get());
  atoms_.emplace(name, a);
  return name;
}

void ClipboardConnection::dispatch(const XEvent& event) {
  if (handler_) handler_(event);
}

void ClipboardConnection::drain(bool sync) {
  Display* d = display_.get();
  if (sync) XSync(d, False);
  while (!lost_ && XPending(d) > 0) {
    XEvent event;
    XNextEvent(d, &event);
    dispatch(event);
  }
}

std::optional<XEvent> ClipboardConnection::waitFor(const std::function<bool(const XEvent&)>& wanted,
                                                   double deadline) {
  Display* d = display_.get();
  XFlush(d);
  for (;;) {
    while (!lost_ && XPending(d) > 0) {
      XEvent event;
      XNextEvent(d, &event);
      if (wanted(event)) return event;
      dispatch(event);
    }
    const double left = deadline - monotonicSeconds();
    if (left <= 0 || lost_) return std::nullopt;
    pollfd fd{ConnectionNumber(d), POLLIN, 0};
    const int ms = static_cast<int>(std::ceil(std::min(left, 1.0) * 1000.0));
    if (poll(&fd, 1, ms) < 0 && errno != EINTR) return std::nullopt;
    if ((fd.revents & (POLLHUP | POLLERR)) != 0) return std::nullopt;
  }
}

bool ClipboardConnection::waitUntil(const std::function<bool()>& done, double deadline) {
  Display* d = display_.get();
  XFlush(d);
  for (;;) {
    if (done()) return true;
    while (!lost_ && XPending(d) > 0) {
      XEvent event;
      XNextEvent(d, &event);
      dispatch(event);
      if (done()) return true;
    }
    const double left = deadline - monotonicSeconds();
    if (left <= 0 || lost_) return false;
    pollfd fd{ConnectionNumber(d), POLLIN, 0};
    const int ms = static_cast<int>(std::ceil(std::min(left, 1.0) * 1000.0));
    if (poll(&fd, 1, ms) < 0 && errno != EINTR) return done();
    if ((fd.revents & (POLLHUP | POLLERR)) != 0) return done();
  }
}

Time ClipboardConnection::serverTime() {
  // Appending nothing to a property of our own still changes it: the
  // notification carries the server's time.
  const Atom stamp = atom("AXTRACK_TIME");
  XChangeProperty(display_.get(), window_, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
  std::optional<XEvent> e = waitFor(
      [&](const XEvent& ev) {
        return ev.type == PropertyNotify && ev.xproperty.window == window_ && ev.xproperty.atom == stamp;
      },
      monotonicSeconds() + kServerTimeLimit);
  return e ? e->xproperty.time : CurrentTime;
}

}  // namespace axt::lindesk
