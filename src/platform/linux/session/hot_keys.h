// The session's way of a global hot key: a key combination the library
// hears whichever application has the keyboard. Combinations are named as
// X names keys (a keysym and the core modifier masks), which Wayland's
// keymaps share. What the host registers, and the handlers a press is
// offered to, are the seam's (translation/carbon_hot_keys.h).
#pragma once

#include <X11/X.h>

#include <functional>

namespace axt::lindesk {

struct KeyCombination {
  KeySym keysym = 0;
  unsigned int modifiers = 0;  // ShiftMask, ControlMask, Mod1Mask (Alt), Mod4Mask (Super)
  friend bool operator==(const KeyCombination&, const KeyCombination&) = default;
};

enum class GrabOutcome {
  kGrabbed,
  kTaken,        // another client holds it, or it was grabbed here already
  kUnavailable,  // the keyboard has no such key, or the session can't grab
};

class SessionHotKeys {
 public:
  virtual ~SessionHotKeys() = default;
  // Grabs `keys` for the whole session. `pressed` runs on the main loop at
  // each press of the combination; a key held down is one press.
  virtual GrabOutcome grab(const KeyCombination& keys, std::function<void()> pressed) = 0;
};

}  // namespace axt::lindesk
