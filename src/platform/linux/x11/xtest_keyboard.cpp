#include "x11/xtest_keyboard.h"

#include <X11/extensions/XTest.h>

#include "logic/handles.h"
#include "logic/key_reach.h"
#include "x11/x11_display.h"

namespace axt::lindesk {

namespace {

// A Wayland compositor's X server: XWayland and the compositors' X window
// managers name the Wayland surface behind each X window with these (the
// first up to XWayland 23, the second from then on); an X server of its
// own has no use for either.
bool isXWayland(Display* d) {
  return XInternAtom(d, "WL_SURFACE_ID", True) != None || XInternAtom(d, "WL_SURFACE_SERIAL", True) != None;
}

}  // namespace

bool XTestKeyboard::hasXTest(Display* d) {
  if (!hasXTest_) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    hasXTest_ = XTestQueryExtension(d, &eventBase, &errorBase, &major, &minor) != 0;
  }
  return *hasXTest_;
}

bool XTestKeyboard::canType(KeySym keysym) {
  Display* d = x11_.display();
  return d != nullptr && hasXTest(d) && XKeysymToKeycode(d, keysym) != 0;
}

void XTestKeyboard::type(KeySym keysym, bool down) {
  Display* d = x11_.display();
  if (d == nullptr || !hasXTest(d)) return;
  const KeyCode code = XKeysymToKeycode(d, keysym);
  if (code == 0) return;
  // A key changes what the focused application says of itself.
  readings_.forget();
  XTestFakeKeyEvent(d, code, down ? True : False, CurrentTime);
  XFlush(d);
}

bool XTestKeyboard::reachesFocusedApplication() {
  Display* d = x11_.display();
  if (d == nullptr || !hasXTest(d)) return false;
  if (!isXWayland(d)) return keysReachFocus(false, XFocus::kApplication);
  ::Window focus = None;
  int revertTo = 0;
  XGetInputFocus(d, &focus, &revertTo);
  const auto parentOf = [this, d](::Window w) -> std::optional<::Window> {
    XErrorTrap trap(x11_.traps(), d);
    ::Window root = None;
    ::Window parent = None;
    ::Window* children = nullptr;
    unsigned count = 0;
    const Status ok = XQueryTree(d, w, &root, &parent, &children, &count);
    const XPtr<::Window> owned(children);
    if (ok == 0 || trap.failed()) return std::nullopt;
    return parent;
  };
  const auto isApplicationWindow = [this](::Window w) { return !x11_.properties().longs(w, "WM_STATE", 1).empty(); };
  return keysReachFocus(true, classifyXFocus(focus, DefaultRootWindow(d), parentOf, isApplicationWindow));
}

}  // namespace axt::lindesk
