// The events of an Xlib connection, read from the default GLib main context
// (the host's main loop): a source that is ready when the connection's
// socket is readable or when Xlib already holds events in its queue (Xlib
// buffers: events may sit there without the socket being readable). Both
// X connections of the backend are read this way.
#pragma once

#include <X11/Xlib.h>

#include <functional>

#include "glue/gobject_ref.h"
#include "glue/run_loop.h"

namespace axt::lindesk {

class XEventWatch {
 public:
  // `drain` reads what has arrived, without waiting, as one handling of
  // `runLoop`'s. The watch starts at once and ends with the object.
  XEventWatch(GlibRunLoop& runLoop, Display* display, std::function<void()> drain);
  XEventWatch(const XEventWatch&) = delete;
  XEventWatch& operator=(const XEventWatch&) = delete;

  // Ends the watch now; safe from within the watch's own callbacks, where
  // a connection is found broken (its socket would otherwise stay ready).
  void stop();

 private:
  struct Source;
  static gboolean prepare(GSource* source, gint* timeout);
  static gboolean check(GSource* source);
  static gboolean dispatch(GSource* source, GSourceFunc, gpointer);
  static constexpr GSourceFuncs kFuncs = {prepare, check, dispatch, nullptr, nullptr, nullptr};

  GlibRunLoop& runLoop_;
  Display* display_;
  std::function<void()> drain_;
  GSourcePtr source_;
};

}  // namespace axt::lindesk
