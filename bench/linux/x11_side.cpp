#include "x11_side.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <array>
#include <vector>

namespace axbench {

namespace {

struct XFreeer {
  void operator()(unsigned char* p) const { XFree(p); }
};

// A property of a window: its format (8 or 32) and its items.
struct Property {
  int format = 0;
  std::vector<long> longs;
  std::string bytes;
};

Property property(Display* d, Window w, const char* name) {
  Atom type = None;
  Property p;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* raw = nullptr;
  XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 4096, False, AnyPropertyType, &type, &p.format, &items,
                     &after, &raw);
  const std::unique_ptr<unsigned char, XFreeer> owned(raw);
  if (raw == nullptr) return {};
  if (p.format == 32) {
    const auto* values = reinterpret_cast<const long*>(raw);
    p.longs.assign(values, values + items);
  } else if (p.format == 8) {
    p.bytes.assign(reinterpret_cast<const char*>(raw), items);
  }
  return p;
}

std::string executableName(unsigned long pid) {
  std::array<char, 4096> target{};
  const std::string link = "/proc/" + std::to_string(pid) + "/exe";
  const ssize_t n = readlink(link.c_str(), target.data(), target.size() - 1);
  if (n <= 0) return {};
  const std::string path(target.data(), static_cast<std::size_t>(n));
  return path.substr(path.rfind('/') + 1);
}

}  // namespace

bool X11Side::open() {
  display_.reset(XOpenDisplay(nullptr));
  return display_ != nullptr;
}

int X11Side::fd() const { return ConnectionNumber(display_.get()); }

// Another client holding the key refuses the grab (BadAccess); Xlib's own
// handler would end the process.
bool X11Side::grabAltReturn() {
  Display* d = display_.get();
  keycode_ = XKeysymToKeycode(d, XK_Return);
  const Window root = DefaultRootWindow(d);
  static bool refused = false;
  refused = false;
  const XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) {
    refused = true;
    return 0;
  });
  for (const unsigned int locks : {0U, unsigned{LockMask}, unsigned{Mod2Mask}, unsigned{LockMask | Mod2Mask}}) {
    XGrabKey(d, keycode_, Mod1Mask | locks, root, False, GrabModeAsync, GrabModeAsync);
  }
  XSync(d, False);
  XSetErrorHandler(previous);
  return keycode_ != 0 && !refused;
}

int X11Side::takePresses() {
  Display* d = display_.get();
  int presses = 0;
  while (XPending(d) > 0) {
    XEvent event;
    XNextEvent(d, &event);
    if (event.type == KeyPress && static_cast<int>(event.xkey.keycode) == keycode_) ++presses;
  }
  return presses;
}

// The windows the window manager lists, whichever says it belongs to the
// process.
std::optional<std::string> X11Side::toolkitIdOf(unsigned long pid) {
  Display* d = display_.get();
  for (long w : property(d, DefaultRootWindow(d), "_NET_CLIENT_LIST").longs) {
    const std::vector<long> owner = property(d, static_cast<Window>(w), "_NET_WM_PID").longs;
    if (owner.empty() || static_cast<unsigned long>(owner[0]) != pid) continue;
    std::string id = property(d, static_cast<Window>(w), "_GTK_APPLICATION_ID").bytes;
    if (!id.empty()) return id;
  }
  return std::nullopt;
}

std::string X11Side::identifierOf(unsigned long pid) {
  if (std::optional<std::string> id = toolkitIdOf(pid)) return *id;
  return executableName(pid);
}

}  // namespace axbench
