// The backend's own connection to the X server, for what AT-SPI doesn't
// cover: top-level windows and their properties, structure events, the
// hot-key grab. Its events are read from the default GLib main context, on
// the host's main thread, and handed to the handlers added here.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/values.h"

namespace axt::lindesk {

// The connection, opened on first use; null when there is no X server.
Display* xDisplay();

// Called for every event read from the connection, in the order added.
void addXEventHandler(std::function<void(const XEvent&)> handler);

// Catches the X errors of the requests made while it lives (a window that
// vanished, a key another client has grabbed) instead of letting Xlib end
// the process. `failed()` syncs with the server first.
class XErrorTrap {
 public:
  explicit XErrorTrap(Display* display);
  ~XErrorTrap();
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;
  bool failed();
  int errorCode() const;

 private:
  Display* display_;
  int (*previous_)(Display*, XErrorEvent*);
};

// The visible top-level windows of a process (by _NET_WM_PID), whether or
// not a window manager has reparented them.
std::vector<::Window> topLevelWindowsOf(platform::Pid pid);

std::optional<std::string> textProperty(::Window window, const char* name);
std::optional<platform::Pid> windowPid(::Window window);
// The window the window manager calls active, when there is one.
std::optional<::Window> activeWindow();
// The window's frame on the screen.
std::optional<platform::Rect> windowFrame(::Window window);

}  // namespace axt::lindesk
