#include "x11/x11_event_watch.h"

#include "glue/c_callback.h"
#include "glue/run_loop.h"

namespace axt::lindesk {

struct XEventWatch::Source {
  GSource source;  // first: GLib hands the struct out as a GSource
  XEventWatch* watch;
  GPollFD poll;
};

// Each turn of the main loop asks every source whether it is ready; asking
// Xlib with XPending costs reads of the socket each time. Xlib's queue is
// looked at without any (events it read while waiting for a reply sit there,
// the socket no longer readable), and the socket is left to the poll. Only
// while requests may still sit in Xlib's buffer does XPending send them,
// lest they wait while the loop sleeps.
gboolean XEventWatch::prepare(GSource* source, gint* timeout) {
  *timeout = -1;
  return callFromC<gboolean>(FALSE, [source]() -> gboolean {
    Display* d = reinterpret_cast<Source*>(source)->watch->display_;
    if (XEventsQueued(d, QueuedAlready) > 0) return TRUE;
    if (XNextRequest(d) - 1 != LastKnownRequestProcessed(d)) return XPending(d) > 0;
    return FALSE;
  });
}

gboolean XEventWatch::check(GSource* source) {
  return callFromC<gboolean>(FALSE, [source]() -> gboolean {
    const auto* s = reinterpret_cast<Source*>(source);
    // A closed connection reads as readable too: the drain finds it out.
    return (s->poll.revents & (G_IO_IN | G_IO_HUP | G_IO_ERR)) != 0 ||
           XEventsQueued(s->watch->display_, QueuedAlready) > 0;
  });
}

gboolean XEventWatch::dispatch(GSource* source, GSourceFunc, gpointer) {
  callFromC([source] {
    // What the X events bring (a hot key) is one handling.
    XEventWatch* watch = reinterpret_cast<Source*>(source)->watch;
    watch->runLoop_.runAsOneHandling([watch] { watch->drain_(); });
  });
  return G_SOURCE_CONTINUE;
}

// GLib takes the table of functions as mutable but never writes to it.
XEventWatch::XEventWatch(GlibRunLoop& runLoop, Display* display, std::function<void()> drain)
    : runLoop_(runLoop),
      display_(display),
      drain_(std::move(drain)),
      source_(g_source_new(const_cast<GSourceFuncs*>(&kFuncs), sizeof(Source))) {
  auto* s = reinterpret_cast<Source*>(source_.get());
  s->watch = this;
  s->poll.fd = ConnectionNumber(display_);
  s->poll.events = G_IO_IN | G_IO_HUP | G_IO_ERR;
  s->poll.revents = 0;
  g_source_add_poll(source_.get(), &s->poll);
  g_source_attach(source_.get(), nullptr);  // the default context: the host's main loop
}

void XEventWatch::stop() {
  if (!g_source_is_destroyed(source_.get())) g_source_destroy(source_.get());
}

}  // namespace axt::lindesk
