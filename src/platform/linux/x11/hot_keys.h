// Global hot keys: a passive grab of the key on the X root window, for
// every state of the lock modifiers (Caps Lock, Num Lock, Scroll Lock), so
// that the combination works whichever of them is on. A press is told on
// the main loop, once however long the key is held.
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <vector>

#include "glue/run_loop.h"
#include "logic/key_hold.h"
#include "session/hot_keys.h"

namespace axt::lindesk {

class GrabHoldBack;
class X11Display;

class X11HotKeys final : public SessionHotKeys {
 public:
  // `holdBack` hears when a grabbed key goes down and up.
  X11HotKeys(X11Display& x11, GrabHoldBack& holdBack, GlibRunLoop& runLoop)
      : x11_(x11), holdBack_(holdBack), runLoop_(runLoop) {}

  GrabOutcome grab(const KeyCombination& keys, std::function<void()> pressed) override;

 private:
  struct Grab {
    KeyCode keycode = 0;
    unsigned int modifiers = 0;
    std::function<void()> pressed;
  };

  void onKey(const XEvent& event);

  X11Display& x11_;
  GrabHoldBack& holdBack_;
  GlibRunLoop& runLoop_;
  std::vector<Grab> grabs_;
  // Which grabbed keys are held: the server's repeats of one are no press.
  KeyHold held_;
  unsigned int lockMasks_ = 0;
  bool listening_ = false;
};

}  // namespace axt::lindesk
