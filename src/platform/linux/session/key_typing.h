// The session's way of typing keys into the focused application, as the
// user's typing would reach it. Keys are named as X names them (keysyms),
// which Wayland's keymaps share; the events the library makes of them are
// the seam's (translation/core_graphics_keyboard.h). A session that can't
// type types nothing and says its keys don't reach the focused application.
#pragma once

#include <X11/X.h>

namespace axt::lindesk {

class SessionKeyTyping {
 public:
  virtual ~SessionKeyTyping() = default;
  // Whether `keysym` can be typed now: there is a way to type, and the
  // keyboard has the key.
  virtual bool canType(KeySym keysym) = 0;
  // Presses or releases the key; it goes to whichever window has the
  // keyboard focus. Nothing for a key that can't be typed.
  virtual void type(KeySym keysym, bool down) = 0;
  // Whether typed keys reach the application that has the keyboard focus
  // now. Where they don't, a paste for it is not made: taking the clipboard
  // for it would only lose the user's content.
  virtual bool reachesFocusedApplication() = 0;
};

}  // namespace axt::lindesk
