#include "x11/x11_display.h"

#include <utility>

#include "glue/run_loop.h"

namespace axt::lindesk {

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
    masks_.note(event);
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
  masks_.select(d, window, mask);
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

}  // namespace axt::lindesk
