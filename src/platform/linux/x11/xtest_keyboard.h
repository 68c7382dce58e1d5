// Synthesised key events through the X server's XTEST extension: they reach
// whichever window has the keyboard focus, as the user's typing would.
#pragma once

#include <X11/Xlib.h>

#include <optional>

#include "logic/handling_cache.h"
#include "session/key_typing.h"

namespace axt::lindesk {

class X11Display;

class XTestKeyboard final : public SessionKeyTyping {
 public:
  XTestKeyboard(X11Display& x11, HandlingCache& readings) : x11_(x11), readings_(readings) {}

  // False without an X server with XTEST, and for a key the keyboard map
  // doesn't have.
  bool canType(KeySym keysym) override;
  // Sends the key press or release at once.
  void type(KeySym keysym, bool down) override;
  // On a Wayland compositor's X server, only while the X focus lies in an
  // application's window (key_reach.h); always on an X server of its own;
  // never without an X server with XTEST.
  bool reachesFocusedApplication() override;

 private:
  // Whether the server has XTEST: asked once.
  bool hasXTest(Display* d);

  X11Display& x11_;
  HandlingCache& readings_;
  std::optional<bool> hasXTest_;
};

}  // namespace axt::lindesk
