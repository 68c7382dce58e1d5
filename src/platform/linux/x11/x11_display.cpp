#include "x11/x11_display.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <utility>

#include "glue/c_callback.h"

namespace axt::lindesk {

namespace {

// The traps Xlib's handlers work for. Xlib has one error handler and one
// I/O error handler per process, and calls them with nothing of ours, so
// the traps that install them are noted here: the backend's one global,
// there for that reason alone. There is one set of traps, the display's.
XErrorTraps* handlingTraps = nullptr;

// The process's X error handler while traps are open.
int onXError(Display* display, XErrorEvent* event) {
  return callFromC(0, [&] { return handlingTraps != nullptr ? handlingTraps->onError(display, event) : 0; });
}

// The process's X I/O error handler from when the backend opened its first
// connection: a broken connection of the backend's is noted, any other goes
// to the handler that was there before (Xlib's, or the host's toolkit's).
int onXIOError(Display* display) {
  if (handlingTraps == nullptr) return 0;
  XErrorTraps& traps = *handlingTraps;
  if (callFromC(false, [&] { return traps.onConnectionLost(display); })) return 0;
  const XErrorTraps::IOErrorHandler previous = traps.previousIOHandler();
  return previous != nullptr ? previous(display) : 0;
}

// What Xlib does after the I/O error handler for a connection of the
// backend's: nothing, where its default ends the process.
void keepProcess(Display* /*display*/, void* /*data*/) {}

}  // namespace

std::optional<WindowProperty> getWindowProperty(Display* d, ::Window w, Atom property, long offset,
                                                long length) {
  WindowProperty p;
  unsigned char* raw = nullptr;
  const int status = XGetWindowProperty(d, w, property, offset, length, False, AnyPropertyType, &p.type,
                                        &p.format, &p.items, &p.bytesAfter, &raw);
  const XPtr<unsigned char> owned(raw);
  if (status != Success || p.type == None || raw == nullptr) return std::nullopt;
  if (p.format == 8) {
    p.bytes.assign(reinterpret_cast<const char*>(raw), p.items);
  } else if (p.format == 32) {
    const auto* values = reinterpret_cast<const long*>(raw);
    p.longs.assign(values, values + p.items);
  }
  return p;
}

// ---------------------------------------------------------------------------
// Error traps.

XErrorTrap::XErrorTrap(XErrorTraps& traps, Display* display)
    : traps_(traps), display_(display), first_(NextRequest(display)) {
  // Errors of earlier requests go where they went before: they carry
  // earlier serials.
  traps_.open(this);
}

XErrorTrap::~XErrorTrap() {
  // Errors still to come would find Xlib's handler, which ends the process.
  settle();
  traps_.close(this);
}

bool XErrorTrap::failed() {
  settle();
  return error_ != 0;
}

void XErrorTrap::settle() {
  const unsigned long last = NextRequest(display_) - 1;
  if (last < first_ || LastKnownRequestProcessed(display_) >= last) return;
  XSync(display_, False);
}

XErrorTraps::~XErrorTraps() {
  if (handlingTraps == this) handlingTraps = nullptr;
}

void XErrorTraps::open(XErrorTrap* trap) {
  handlingTraps = this;
  if (open_.empty()) previous_ = XSetErrorHandler(onXError);
  open_.push_back(trap);
}

void XErrorTraps::close(XErrorTrap* trap) {
  std::erase(open_, trap);
  if (open_.empty()) {
    XSetErrorHandler(previous_);
    previous_ = nullptr;
  }
}

int XErrorTraps::onError(Display* display, XErrorEvent* event) {
  for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
    if ((*it)->display_ == display && event->serial >= (*it)->first_) {
      (*it)->error_ = event->error_code;
      return 0;
    }
  }
  return previous_ != nullptr ? previous_(display, event) : 0;
}

void XErrorTraps::followConnection(Display* display, std::function<void()> lost) {
  if (!ioHandlerInstalled_) {
    ioHandlerInstalled_ = true;
    handlingTraps = this;
    previousIO_ = XSetIOErrorHandler(onXIOError);
  }
  followed_.emplace_back(display, std::move(lost));
  XSetIOErrorExitHandler(display, keepProcess, nullptr);
}

bool XErrorTraps::onConnectionLost(Display* display) {
  for (auto& [followed, lost] : followed_) {
    if (followed != display) continue;
    // Once: Xlib may report the same break again.
    if (lost) std::exchange(lost, nullptr)();
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// The connection.

Display* X11Display::display() {
  if (!tried_) {
    tried_ = true;
    display_.reset(XOpenDisplay(nullptr));
    if (display_) {
      traps_.followConnection(display_.get(), [this] {
        lost_ = true;
        if (watch_) watch_->stop();
      });
      watch_ = std::make_unique<XEventWatch>(runLoop_, display_.get(), [this] { dispatchPending(); });
    }
  }
  return lost_ ? nullptr : display_.get();
}

void X11Display::dispatchPending() {
  Display* d = display_.get();
  while (!lost_ && XPending(d) > 0) {
    XEvent event;
    XNextEvent(d, &event);
    clients_.note(event);
    noteDestroyed(event);
    // A copy: a handler may add another one.
    const auto handlers = handlers_;
    for (const auto& h : handlers) h(event);
  }
}

void X11Display::addEventHandler(std::function<void(const XEvent&)> handler) {
  handlers_.push_back(std::move(handler));
}

void X11Display::selectEvents(::Window window, long mask) {
  Display* d = display();
  if (d == nullptr) return;
  Selected& s = selected_[window];
  s.mask |= mask;
  s.at = NextRequest(d);
  // Asked again even when nothing is added: the id may be a new window's.
  XSelectInput(d, window, s.mask);
}

void X11Display::noteDestroyed(const XEvent& event) {
  if (event.type != DestroyNotify) return;
  // Unless asked for since: the id given to a new window.
  auto it = selected_.find(event.xdestroywindow.window);
  if (it != selected_.end() && event.xdestroywindow.serial >= it->second.at) selected_.erase(it);
}

void X11Display::watchRootProperty(const char* name, std::function<void()> changed) {
  Display* d = display();
  if (d == nullptr) return;
  const ::Window root = DefaultRootWindow(d);
  const Atom atom = XInternAtom(d, name, False);
  {
    XErrorTrap trap(traps_, d);
    selectEvents(root, PropertyChangeMask);
    if (trap.failed()) return;
  }
  addEventHandler([root, atom, changed = std::move(changed)](const XEvent& event) {
    if (event.type == PropertyNotify && event.xproperty.window == root && event.xproperty.atom == atom) changed();
  });
  XFlush(d);
}

// ---------------------------------------------------------------------------
// Questions about windows.

std::optional<WindowProperty> X11Display::readProperty(::Window window, const char* name, long count) {
  Display* d = display();
  if (d == nullptr) return std::nullopt;
  XErrorTrap trap(traps_, d);
  std::optional<WindowProperty> p = getWindowProperty(d, window, XInternAtom(d, name, False), 0, count);
  if (trap.failed()) return std::nullopt;
  return p;
}

std::optional<std::string> X11Display::textProperty(::Window window, const char* name) {
  std::optional<WindowProperty> p = readProperty(window, name, 4096);
  if (!p || p->format != 8) return std::nullopt;
  return std::move(p->bytes);
}

std::vector<long> X11Display::longsProperty(::Window window, const char* name, long count) {
  std::optional<WindowProperty> p = readProperty(window, name, count);
  if (!p || p->format != 32) return {};
  return std::move(p->longs);
}

std::optional<platform::Pid> X11Display::windowPid(::Window window) {
  clients_.catchUp();
  if (const std::optional<std::optional<platform::Pid>> known = clients_.known().ownerOf(window)) return *known;
  const std::vector<long> pid = longsProperty(window, "_NET_WM_PID", 1);
  if (pid.empty()) return std::nullopt;
  return static_cast<platform::Pid>(pid[0]);
}

std::optional<::Window> X11Display::activeWindow() {
  Display* d = display();
  if (d == nullptr) return std::nullopt;
  const std::vector<long> active = longsProperty(DefaultRootWindow(d), "_NET_ACTIVE_WINDOW", 1);
  if (active.empty() || active[0] == 0) return std::nullopt;
  return static_cast<::Window>(active[0]);
}

std::optional<XWindowAttributes> X11Display::attributes(::Window window) {
  Display* d = display();
  if (d == nullptr) return std::nullopt;
  XWindowAttributes a;
  XErrorTrap trap(traps_, d);
  const Status ok = XGetWindowAttributes(d, window, &a);
  if (trap.failed() || ok == 0) return std::nullopt;
  return a;
}

bool X11Display::isViewable(::Window window) {
  const std::optional<XWindowAttributes> a = attributes(window);
  return a && a->map_state == IsViewable;
}

std::optional<platform::Rect> X11Display::windowFrame(::Window window) {
  const std::optional<XWindowAttributes> a = attributes(window);
  if (!a) return std::nullopt;
  Display* d = display();
  int x = 0;
  int y = 0;
  ::Window child = 0;
  XErrorTrap trap(traps_, d);
  XTranslateCoordinates(d, window, a->root, 0, 0, &x, &y, &child);
  if (trap.failed()) return std::nullopt;
  return platform::Rect{{static_cast<double>(x), static_cast<double>(y)},
                        {static_cast<double>(a->width), static_cast<double>(a->height)}};
}

std::vector<::Window> X11Display::children(::Window window) {
  Display* d = display();
  if (d == nullptr) return {};
  ::Window root = 0;
  ::Window parent = 0;
  ::Window* list = nullptr;
  unsigned int n = 0;
  XErrorTrap trap(traps_, d);
  const Status ok = XQueryTree(d, window, &root, &parent, &list, &n);
  const XPtr<::Window> owned(list);
  if (trap.failed() || ok == 0 || list == nullptr) return {};
  return std::vector<::Window>(list, list + n);  // bottom to top
}

// Window managers put an application's window one level below the root
// (openbox: frame, client) or deeper (KWin: frame, wrapper, client); the
// walk goes down until it meets the client.
bool X11Display::visitBelow(::Window window, ::Window frame, int depth,
                            const std::function<bool(::Window client, ::Window frame)>& visit) {
  if (visit(window, frame)) return true;
  if (depth >= kMaxFrameDepth) return false;
  for (::Window inner : children(window)) {
    if (visitBelow(inner, frame, depth + 1, visit)) return true;
  }
  return false;
}

void X11Display::forEachTopLevel(const std::function<bool(::Window client, ::Window frame)>& visit) {
  Display* d = display();
  if (d == nullptr) return;
  for (::Window top : children(DefaultRootWindow(d))) (void)visitBelow(top, top, 0, visit);
}

std::vector<::Window> X11Display::topLevelWindowsOf(platform::Pid pid, const std::function<bool(::Window)>& wanted) {
  std::vector<::Window> found;
  const auto take = [&](::Window w) {
    if ((!wanted || wanted(w)) && isViewable(w)) found.push_back(w);
  };
  // A window manager lists the windows it manages on the root window: the
  // windows of a process are known without a walk over every window on the
  // screen (toolkits keep many unmapped ones), however deep it nests them.
  if (clients_.refresh()) {
    for (::Window w : clients_.known().windowsOf(pid)) take(w);
    return found;
  }
  forEachTopLevel([&](::Window client, ::Window /*frame*/) {
    const std::optional<platform::Pid> owner = windowPid(client);
    if (owner && *owner == pid) take(client);
    return owner.has_value();
  });
  return found;
}

std::optional<std::string> X11Display::applicationIdOf(platform::Pid pid) {
  if (clients_.refresh()) {
    if (const std::string* known = clients_.known().applicationIdOf(pid)) return *known;
  }
  Display* d = display();
  if (d == nullptr) return std::nullopt;
  // Changes from here on are heard after the read.
  const unsigned long serial = NextRequest(d);
  const std::vector<::Window> windows = topLevelWindowsOf(pid);
  if (windows.empty()) return std::nullopt;
  std::string id;
  for (::Window w : windows) {
    if (std::optional<std::string> own = textProperty(w, "_GTK_APPLICATION_ID"); own && !own->empty()) {
      id = std::move(*own);
      break;
    }
  }
  // Kept only where the window manager's list tells when the process's
  // windows go.
  clients_.known().applicationIdRead(pid, id, serial);
  return id;
}

}  // namespace axt::lindesk
