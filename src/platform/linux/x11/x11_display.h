// The backend's own connection to the X server, for what AT-SPI doesn't
// cover: top-level windows and their properties, structure events, the
// hot-key grab. Its events are read from the default GLib main context, on
// the host's main thread, and handed to the handlers added here. Also what
// every X connection of the backend shares: owners for Xlib's allocations,
// property reads, and the trapping of X errors.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/values.h"
#include "x11/client_windows.h"
#include "x11/x11_event_watch.h"

namespace axt::lindesk {

struct XFreeDeleter {
  void operator()(void* p) const {
    if (p != nullptr) XFree(p);
  }
};
template <class T>
using XPtr = std::unique_ptr<T, XFreeDeleter>;

struct DisplayCloser {
  void operator()(Display* d) const {
    if (d != nullptr) XCloseDisplay(d);
  }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// One window property as XGetWindowProperty reads it: `length` units of
// four bytes from `offset` units in. Items of format 8 are bytes, those of
// format 32 longs (as Xlib hands them); format 16 is kept in neither.
struct WindowProperty {
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long bytesAfter = 0;
  std::string bytes;
  std::vector<long> longs;
};
// Absent when the request fails or the window has no such property. Traps
// no error: the caller does, where the window may be another client's.
std::optional<WindowProperty> getWindowProperty(Display* d, ::Window w, Atom property, long offset,
                                                long length);

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
  void settle();

  XErrorTraps& traps_;
  Display* display_;
  unsigned long first_;  // the serial of the trap's first request
  int error_ = 0;
};

// The traps open now, innermost last, and the error handler that was in
// place before the first one. Xlib has one error handler per process and
// hands it nothing of ours: the handler finds the traps that installed it
// through the one pointer kept for it (x11_display.cpp).
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

class X11Display {
 public:
  // What the server sends is read from `runLoop`'s main context.
  explicit X11Display(GlibRunLoop& runLoop) : runLoop_(runLoop) {}
  X11Display(const X11Display&) = delete;
  X11Display& operator=(const X11Display&) = delete;

  // The connection, opened on first use; null when there is no X server,
  // and from when the connection broke. A broken connection stays closed:
  // what needs the X server (the hot key, window structure, activation by
  // window) ends with it, and the rest of the library goes on.
  Display* display();
  XErrorTraps& traps() { return traps_; }

  // Called for every event read from the connection, in the order added.
  void addEventHandler(std::function<void(const XEvent&)> handler);
  // Adds `mask` to the events this connection hears from `window`, beside
  // those asked for here before (the masks asked for are remembered, until
  // the window is destroyed: no need to ask the server). Traps no error.
  void selectEvents(::Window window, long mask);
  // Calls `changed` whenever the root window's property `name` changes,
  // from the connection's events, for the life of the connection.
  void watchRootProperty(const char* name, std::function<void()> changed);

  // Questions about windows. Each answers nothing without an X server and
  // for a window that is gone.
  std::optional<std::string> textProperty(::Window window, const char* name);
  // A property of format 32 (up to `count` items).
  std::vector<long> longsProperty(::Window window, const char* name, long count);
  // The process a window says it belongs to (_NET_WM_PID); for a window
  // the window manager manages, as remembered.
  std::optional<platform::Pid> windowPid(::Window window);
  // The window the window manager calls active, when there is one.
  std::optional<::Window> activeWindow();
  std::optional<XWindowAttributes> attributes(::Window window);
  bool isViewable(::Window window);
  // The window's frame on the screen.
  std::optional<platform::Rect> windowFrame(::Window window);
  // A window's children, bottom to top.
  std::vector<::Window> children(::Window window);

  // Walks the candidates for applications' top-level windows, bottom to
  // top: each child of the root, and when `visit` says that one isn't a
  // client's window (a window manager's frame), what is inside it, depth
  // first and at most kMaxFrameDepth levels down, until `visit` accepts
  // one. `visit(client, frame)` gets the window and the child of the root
  // that holds it.
  void forEachTopLevel(const std::function<bool(::Window client, ::Window frame)>& visit);

  // The visible top-level windows of a process (by _NET_WM_PID), whether
  // or not a window manager has reparented them: from the window manager's
  // list of the windows it manages where it keeps one (each window's
  // process remembered), else by a walk down from the root. Only the
  // windows `wanted` accepts are looked at for being visible, when given.
  std::vector<::Window> topLevelWindowsOf(platform::Pid pid,
                                          const std::function<bool(::Window)>& wanted = nullptr);

  // The toolkit's application id (_GTK_APPLICATION_ID) of one of the
  // process's visible windows: empty when it has visible windows and none
  // carries one, absent while it shows none (a window may still bring
  // one). Remembered while the process has managed windows.
  std::optional<std::string> applicationIdOf(platform::Pid pid);

 private:
  // Deeper than any window manager nests its clients (KWin: two levels).
  static constexpr int kMaxFrameDepth = 3;

  std::optional<WindowProperty> readProperty(::Window window, const char* name, long count);
  bool visitBelow(::Window window, ::Window frame, int depth,
                  const std::function<bool(::Window client, ::Window frame)>& visit);
  void dispatchPending();
  void noteDestroyed(const XEvent& event);

  struct Selected {
    long mask = NoEventMask;
    unsigned long at = 0;  // the serial of the last request asking
  };

  GlibRunLoop& runLoop_;
  XErrorTraps traps_;
  DisplayPtr display_;
  bool tried_ = false;
  bool lost_ = false;
  std::vector<std::function<void(const XEvent&)>> handlers_;
  std::map<::Window, Selected> selected_;
  ClientWindows clients_{*this};
  std::unique_ptr<XEventWatch> watch_;  // declared last: it goes before the display
};

}  // namespace axt::lindesk
