// The backend's own connection to the X server, for what AT-SPI doesn't
// cover: top-level windows and their properties, structure events, the
// hot-key grab. Its events are read from the default GLib main context, on
// the host's main thread, and handed to the handlers added here. The
// questions about windows are the parts it holds, each of its own file.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <vector>

#include "x11/application_ids.h"
#include "x11/client_windows.h"
#include "x11/error_traps.h"
#include "x11/event_masks.h"
#include "x11/top_level_windows.h"
#include "x11/window_geometry.h"
#include "x11/window_properties.h"
#include "x11/x11_event_watch.h"
#include "x11/x_resources.h"

namespace axt::lindesk {

class GlibRunLoop;

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
  // those asked for here before (event_masks.h). Traps no error.
  void selectEvents(::Window window, long mask);
  // Calls `changed` whenever the root window's property `name` changes,
  // from the connection's events, for the life of the connection.
  void watchRootProperty(const char* name, std::function<void()> changed);

  // Questions about windows, asked through this connection.
  WindowProperties& properties() { return properties_; }
  WindowGeometry& geometry() { return geometry_; }
  TopLevelWindows& topLevels() { return topLevels_; }
  ApplicationIds& applicationIds() { return applicationIds_; }
  ClientWindows& clients() { return clients_; }

 private:
  void dispatchPending();

  GlibRunLoop& runLoop_;
  XErrorTraps traps_;
  DisplayPtr display_;
  bool tried_ = false;
  bool lost_ = false;
  std::vector<std::function<void(const XEvent&)>> handlers_;
  EventMasks masks_;
  ClientWindows clients_{*this};
  WindowProperties properties_{*this};
  WindowGeometry geometry_{*this};
  TopLevelWindows topLevels_{*this};
  ApplicationIds applicationIds_{*this};
  std::unique_ptr<XEventWatch> watch_;  // declared last: it goes before the display
};

}  // namespace axt::lindesk
