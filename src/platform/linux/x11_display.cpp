#include "x11_display.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <glib.h>

#include <memory>

namespace axt::lindesk {

namespace {

struct DisplayCloser {
  void operator()(Display* d) const {
    if (d != nullptr) XCloseDisplay(d);
  }
};

struct XState {
  std::unique_ptr<Display, DisplayCloser> display;
  bool tried = false;
  std::vector<std::function<void(const XEvent&)>> handlers;
  GSource* source = nullptr;
  GPollFD poll{};
};

XState& xstate() {
  static XState s;
  return s;
}

// Xlib buffers: events may already sit in the queue without the socket
// being readable, so prepare and check look at the queue as well.
gboolean sourcePrepare(GSource*, gint* timeout) {
  *timeout = -1;
  Display* d = xstate().display.get();
  return d != nullptr && XPending(d) > 0;
}

gboolean sourceCheck(GSource*) {
  XState& s = xstate();
  if (s.display == nullptr) return FALSE;
  if ((s.poll.revents & G_IO_IN) != 0) return TRUE;
  return XPending(s.display.get()) > 0;
}

gboolean sourceDispatch(GSource*, GSourceFunc, gpointer) {
  XState& s = xstate();
  Display* d = s.display.get();
  if (d == nullptr) return G_SOURCE_REMOVE;
  while (XPending(d) > 0) {
    XEvent event;
    XNextEvent(d, &event);
    // A copy: a handler may add another one.
    const auto handlers = s.handlers;
    for (const auto& h : handlers) h(event);
  }
  return G_SOURCE_CONTINUE;
}

GSourceFuncs kSourceFuncs = {sourcePrepare, sourceCheck, sourceDispatch, nullptr, nullptr, nullptr};

void attachSource(XState& s) {
  s.source = g_source_new(&kSourceFuncs, sizeof(GSource));
  s.poll.fd = ConnectionNumber(s.display.get());
  s.poll.events = G_IO_IN | G_IO_HUP | G_IO_ERR;
  g_source_add_poll(s.source, &s.poll);
  g_source_attach(s.source, nullptr);  // the default context: the host's main loop
  g_source_unref(s.source);            // the context keeps it
}

Atom atom(Display* d, const char* name) { return XInternAtom(d, name, False); }

int gTrappedError = 0;
Display* gTrappedDisplay = nullptr;
int (*gPreviousHandler)(Display*, XErrorEvent*) = nullptr;

int trapHandler(Display* display, XErrorEvent* event) {
  if (display == gTrappedDisplay) {
    gTrappedError = event->error_code;
    return 0;
  }
  return gPreviousHandler != nullptr ? gPreviousHandler(display, event) : 0;
}

// A property of up to `count` items of the given format, or nothing.
struct PropertyData {
  Atom type = None;
  int format = 0;
  std::vector<unsigned char> bytes;
  unsigned long items = 0;
};

std::optional<PropertyData> readProperty(Display* d, ::Window w, Atom property, long count) {
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  XErrorTrap trap(d);
  const int status = XGetWindowProperty(d, w, property, 0, count, False, AnyPropertyType, &type,
                                        &format, &items, &after, &data);
  const bool bad = trap.failed();
  std::unique_ptr<unsigned char, int (*)(void*)> owned(data, XFree);
  if (bad || status != Success || data == nullptr || type == None) return std::nullopt;
  PropertyData out;
  out.type = type;
  out.format = format;
  out.items = items;
  const std::size_t unit = format == 8 ? 1 : format == 16 ? sizeof(short) : sizeof(long);
  out.bytes.assign(data, data + items * unit);
  return out;
}

bool viewable(Display* d, ::Window w) {
  XWindowAttributes attributes;
  XErrorTrap trap(d);
  const Status ok = XGetWindowAttributes(d, w, &attributes);
  return !trap.failed() && ok != 0 && attributes.map_state == IsViewable;
}

std::vector<::Window> children(Display* d, ::Window w) {
  ::Window root = 0;
  ::Window parent = 0;
  ::Window* list = nullptr;
  unsigned int n = 0;
  XErrorTrap trap(d);
  const Status ok = XQueryTree(d, w, &root, &parent, &list, &n);
  std::unique_ptr<::Window, int (*)(void*)> owned(list, XFree);
  if (trap.failed() || ok == 0 || list == nullptr) return {};
  return std::vector<::Window>(list, list + n);
}

}  // namespace

Display* xDisplay() {
  XState& s = xstate();
  if (!s.tried) {
    s.tried = true;
    s.display.reset(XOpenDisplay(nullptr));
    if (s.display) attachSource(s);
  }
  return s.display.get();
}

void addXEventHandler(std::function<void(const XEvent&)> handler) {
  xstate().handlers.push_back(std::move(handler));
}

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);
  gTrappedError = 0;
  gTrappedDisplay = display_;
  previous_ = XSetErrorHandler(trapHandler);
  if (previous_ != trapHandler) gPreviousHandler = previous_;
}

XErrorTrap::~XErrorTrap() {
  XSync(display_, False);
  XSetErrorHandler(previous_);
  if (previous_ != trapHandler) gTrappedDisplay = nullptr;
}

bool XErrorTrap::failed() {
  XSync(display_, False);
  return gTrappedError != 0;
}

int XErrorTrap::errorCode() const { return gTrappedError; }

std::vector<::Window> topLevelWindowsOf(platform::Pid pid) {
  Display* d = xDisplay();
  if (d == nullptr) return {};
  std::vector<::Window> found;
  const auto consider = [&](::Window w) {
    std::optional<platform::Pid> owner = windowPid(w);
    if (owner && *owner == pid && viewable(d, w)) {
      found.push_back(w);
      return true;
    }
    return owner.has_value();
  };
  for (::Window w : children(d, DefaultRootWindow(d))) {
    if (consider(w)) continue;
    // A window manager's frame: the client is one level down.
    for (::Window inner : children(d, w)) consider(inner);
  }
  return found;
}

std::optional<std::string> textProperty(::Window window, const char* name) {
  Display* d = xDisplay();
  if (d == nullptr) return std::nullopt;
  std::optional<PropertyData> p = readProperty(d, window, atom(d, name), 4096);
  if (!p || p->format != 8) return std::nullopt;
  return std::string(p->bytes.begin(), p->bytes.end());
}

std::optional<platform::Pid> windowPid(::Window window) {
  Display* d = xDisplay();
  if (d == nullptr) return std::nullopt;
  std::optional<PropertyData> p = readProperty(d, window, atom(d, "_NET_WM_PID"), 1);
  if (!p || p->format != 32 || p->items < 1) return std::nullopt;
  long value = 0;
  std::copy(p->bytes.begin(), p->bytes.begin() + sizeof(long), reinterpret_cast<unsigned char*>(&value));
  return static_cast<platform::Pid>(value);
}

std::optional<::Window> activeWindow() {
  Display* d = xDisplay();
  if (d == nullptr) return std::nullopt;
  std::optional<PropertyData> p =
      readProperty(d, DefaultRootWindow(d), atom(d, "_NET_ACTIVE_WINDOW"), 1);
  if (!p || p->format != 32 || p->items < 1) return std::nullopt;
  long value = 0;
  std::copy(p->bytes.begin(), p->bytes.begin() + sizeof(long), reinterpret_cast<unsigned char*>(&value));
  if (value == 0) return std::nullopt;
  return static_cast<::Window>(value);
}

std::optional<platform::Rect> windowFrame(::Window window) {
  Display* d = xDisplay();
  if (d == nullptr) return std::nullopt;
  XWindowAttributes attributes;
  XErrorTrap trap(d);
  if (XGetWindowAttributes(d, window, &attributes) == 0 || trap.failed()) return std::nullopt;
  int x = 0;
  int y = 0;
  ::Window child = 0;
  XTranslateCoordinates(d, window, attributes.root, 0, 0, &x, &y, &child);
  if (trap.failed()) return std::nullopt;
  return platform::Rect{{static_cast<double>(x), static_cast<double>(y)},
                        {static_cast<double>(attributes.width), static_cast<double>(attributes.height)}};
}

}  // namespace axt::lindesk
