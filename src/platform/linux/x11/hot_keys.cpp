#include "x11/hot_keys.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <glib.h>

#include <memory>
#include <utility>

#include "glue/monotonic_clock.h"
#include "glue/run_loop.h"
#include "logic/grab_hold_back.h"
#include "logic/lock_combinations.h"
#include "x11/x11_display.h"

namespace axt::lindesk {

namespace {

unsigned int maskOfKeysym(Display* d, KeySym keysym) {
  const KeyCode code = XKeysymToKeycode(d, keysym);
  if (code == 0) return 0;
  std::unique_ptr<XModifierKeymap, int (*)(XModifierKeymap*)> map(XGetModifierMapping(d), XFreeModifiermap);
  if (!map) return 0;
  for (int modifier = 0; modifier < 8; ++modifier) {
    for (int k = 0; k < map->max_keypermod; ++k) {
      if (map->modifiermap[modifier * map->max_keypermod + k] == code) return 1u << modifier;
    }
  }
  return 0;
}

}  // namespace

void X11HotKeys::onKey(const XEvent& event) {
  const double now = monotonicSeconds();
  // Releases are separate events that no handler asks for; the release of
  // a grabbed key ends the grab.
  if (event.type == KeyRelease) {
    for (const Grab& g : grabs_) {
      if (g.keycode == event.xkey.keycode) {
        held_.released(g.keycode, event.xkey.time);
        holdBack_.released(now);
        return;
      }
    }
    return;
  }
  if (event.type != KeyPress) return;
  const unsigned int relevant = event.xkey.state & ~lockMasks_ & (ShiftMask | ControlMask | Mod1Mask | Mod4Mask);
  for (const Grab& g : grabs_) {
    if (g.keycode == event.xkey.keycode && g.modifiers == relevant) {
      holdBack_.pressed(now);
      // The key held down: the grab goes on, but the handlers heard it.
      if (!held_.pressed(g.keycode, event.xkey.time)) return;
      // From the main loop, not from inside the X event dispatch.
      runLoop_.post(g.pressed);
      return;
    }
  }
}

GrabOutcome X11HotKeys::grab(const KeyCombination& keys, std::function<void()> pressed) {
  Display* d = x11_.display();
  if (d == nullptr) return GrabOutcome::kUnavailable;
  const KeyCode code = XKeysymToKeycode(d, keys.keysym);
  if (code == 0) return GrabOutcome::kUnavailable;
  for (const Grab& g : grabs_) {
    if (g.keycode == code && g.modifiers == keys.modifiers) return GrabOutcome::kTaken;
  }
  lockMasks_ = LockMask | maskOfKeysym(d, XK_Num_Lock) | maskOfKeysym(d, XK_Scroll_Lock);
  const ::Window root = DefaultRootWindow(d);
  const std::vector<unsigned int> locks = lockCombinations(lockMasks_);
  {
    XErrorTrap trap(x11_.traps(), d);
    for (unsigned int lock : locks) XGrabKey(d, code, keys.modifiers | lock, root, False, GrabModeAsync, GrabModeAsync);
    if (trap.failed()) {
      // Another client holds the combination (in some lock state): take
      // back what was granted, so that it stays whole for that client.
      for (unsigned int lock : locks) XUngrabKey(d, code, keys.modifiers | lock, root);
      XSync(d, False);
      return GrabOutcome::kTaken;
    }
  }
  if (!listening_) {
    listening_ = true;
    // Repeats of a held key as presses alone, not as a release and a press
    // each: the release the grab hears is then the user's. Only this
    // connection's events change. A server without it still sends the
    // pairs, which KeyHold tells apart by their times.
    Bool detectable = False;
    XkbSetDetectableAutoRepeat(d, True, &detectable);
    x11_.addEventHandler([this](const XEvent& event) { onKey(event); });
  }
  grabs_.push_back(Grab{code, keys.modifiers, std::move(pressed)});
  XFlush(d);
  return GrabOutcome::kGrabbed;
}

}  // namespace axt::lindesk
