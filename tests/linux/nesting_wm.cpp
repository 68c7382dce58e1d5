// A window manager for the tests that nests each application window two
// levels below the root, as some desktops' managers do (a frame, a wrapper
// inside it, the client inside that), and otherwise does as little as a
// manager may: it maps what asks to be mapped, passes configure requests
// on, activates a window on the standard request (_NET_ACTIVE_WINDOW) and
// says it is there (_NET_SUPPORTING_WM_CHECK). Windows already shown when it
// starts are nested too; when it quits, the X server hands them back to the
// root (they are in its save-set).
//
// Usage: axtrack-nesting-wm        runs until SIGTERM or the X server goes
//
// Prints "nesting wm ready" once it manages the screen, and "nested CLIENT
// in FRAME" for each window it nests.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/select.h>

#include <csignal>
#include <cstdio>
#include <map>

namespace {

volatile std::sig_atomic_t gStop = 0;
bool gOtherManager = false;

int onError(Display*, XErrorEvent* e) {
  // BadAccess on the root's redirect: another manager runs. Other errors
  // are windows that went away meanwhile.
  if (e->error_code == BadAccess) gOtherManager = true;
  return 0;
}

struct Nest {
  Window frame = 0;
  Window wrapper = 0;
};

class NestingManager {
 public:
  explicit NestingManager(Display* d) : d_(d), root_(DefaultRootWindow(d)) {}

  bool start() {
    XSelectInput(d_, root_, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(d_, False);
    if (gOtherManager) return false;
    announce();
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int n = 0;
    if (XQueryTree(d_, root_, &rootReturn, &parent, &children, &n) != 0 && children != nullptr) {
      for (unsigned int i = 0; i < n; ++i) {
        XWindowAttributes a;
        if (children[i] != check_ && XGetWindowAttributes(d_, children[i], &a) != 0 && !a.override_redirect &&
            a.map_state == IsViewable) {
          nest(children[i]);
        }
      }
      XFree(children);
    }
    XSync(d_, False);
    return true;
  }

  void handle(const XEvent& e) {
    switch (e.type) {
      case MapRequest:
        if (nests_.count(e.xmaprequest.window) == 0) nest(e.xmaprequest.window);
        XMapWindow(d_, e.xmaprequest.window);
        break;
      case ConfigureRequest: {
        XWindowChanges c{};
        c.x = e.xconfigurerequest.x;
        c.y = e.xconfigurerequest.y;
        c.width = e.xconfigurerequest.width;
        c.height = e.xconfigurerequest.height;
        c.border_width = e.xconfigurerequest.border_width;
        c.sibling = e.xconfigurerequest.above;
        c.stack_mode = e.xconfigurerequest.detail;
        const unsigned long mask = e.xconfigurerequest.value_mask;
        auto it = nests_.find(e.xconfigurerequest.window);
        if (it != nests_.end()) {
          // The frame takes the position, all three the size.
          XConfigureWindow(d_, it->second.frame, static_cast<unsigned int>(mask & (CWX | CWY | CWWidth | CWHeight)), &c);
          XConfigureWindow(d_, it->second.wrapper, static_cast<unsigned int>(mask & (CWWidth | CWHeight)), &c);
          c.x = 0;
          c.y = 0;
        }
        XConfigureWindow(d_, e.xconfigurerequest.window, static_cast<unsigned int>(mask), &c);
        break;
      }
      case ClientMessage:
        if (e.xclient.message_type == atom("_NET_ACTIVE_WINDOW")) activate(e.xclient.window);
        break;
      case UnmapNotify:
      case DestroyNotify: {
        const Window w = e.type == UnmapNotify ? e.xunmap.window : e.xdestroywindow.window;
        const Window from = e.type == UnmapNotify ? e.xunmap.event : e.xdestroywindow.event;
        // What the root reports of its children is the nesting itself.
        if (from != w) break;
        auto it = nests_.find(w);
        if (it == nests_.end()) break;
        if (e.type == UnmapNotify) {
          XUnmapWindow(d_, it->second.frame);
        } else {
          XDestroyWindow(d_, it->second.frame);
          nests_.erase(it);
        }
        break;
      }
      default:
        break;
    }
  }

 private:
  Atom atom(const char* name) { return XInternAtom(d_, name, False); }

  void announce() {
    check_ = XCreateSimpleWindow(d_, root_, -10, -10, 1, 1, 0, 0, 0);
    XChangeProperty(d_, check_, atom("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&check_), 1);
    XChangeProperty(d_, root_, atom("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&check_), 1);
    Atom supported[] = {atom("_NET_ACTIVE_WINDOW"), atom("_NET_SUPPORTING_WM_CHECK")};
    XChangeProperty(d_, root_, atom("_NET_SUPPORTED"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(supported), 2);
  }

  void nest(Window client) {
    XWindowAttributes a;
    if (XGetWindowAttributes(d_, client, &a) == 0) return;
    Nest n;
    n.frame = XCreateSimpleWindow(d_, root_, a.x, a.y, static_cast<unsigned int>(a.width),
                                  static_cast<unsigned int>(a.height), 0, 0, 0);
    n.wrapper = XCreateSimpleWindow(d_, n.frame, 0, 0, static_cast<unsigned int>(a.width),
                                    static_cast<unsigned int>(a.height), 0, 0, 0);
    XAddToSaveSet(d_, client);
    XReparentWindow(d_, client, n.wrapper, 0, 0);
    // After the reparenting: the unmap it causes is not the client's own.
    XSelectInput(d_, client, StructureNotifyMask);
    long state[2] = {NormalState, None};
    XChangeProperty(d_, client, atom("WM_STATE"), atom("WM_STATE"), 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(state), 2);
    XMapWindow(d_, n.wrapper);
    XMapWindow(d_, n.frame);
    XMapWindow(d_, client);
    nests_[client] = n;
    std::printf("nested %lu in %lu\n", client, n.frame);
    std::fflush(stdout);
  }

  void activate(Window client) {
    auto it = nests_.find(client);
    if (it == nests_.end()) return;
    XRaiseWindow(d_, it->second.frame);
    XSetInputFocus(d_, client, RevertToPointerRoot, CurrentTime);
    XChangeProperty(d_, root_, atom("_NET_ACTIVE_WINDOW"), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&client), 1);
  }

  Display* d_;
  Window root_;
  Window check_ = 0;
  std::map<Window, Nest> nests_;  // by client
};

void stop(int) { gStop = 1; }

}  // namespace

int main() {
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) {
    std::fprintf(stderr, "nesting wm: no X server\n");
    return 1;
  }
  XSetErrorHandler(onError);
  std::signal(SIGTERM, stop);
  std::signal(SIGINT, stop);
  NestingManager manager(d);
  if (!manager.start()) {
    std::fprintf(stderr, "nesting wm: another window manager runs\n");
    return 1;
  }
  std::printf("nesting wm ready\n");
  std::fflush(stdout);
  const int fd = ConnectionNumber(d);
  while (gStop == 0) {
    while (XPending(d) > 0) {
      XEvent e;
      XNextEvent(d, &e);
      manager.handle(e);
    }
    XFlush(d);
    // Wakes for the next event or, at the latest, to look at the stop flag.
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(fd, &fds);
    timeval tv{0, 100000};
    select(fd + 1, &fds, nullptr, nullptr, &tv);
  }
  XCloseDisplay(d);
  return 0;
}
