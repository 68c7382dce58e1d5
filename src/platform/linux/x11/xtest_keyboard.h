// Synthesised key events through the X server's XTEST extension: they reach
// whichever window has the keyboard focus, as the user's typing would. The
// events are the library's, made in macOS's shape (posted_keys.h).
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <optional>

#include "logic/handling_cache.h"
#include "platform/platform.h"
#include "session/key_typing.h"

namespace axt::lindesk {

class X11Display;

class XTestKeyboard final : public SessionKeyTyping {
 public:
  XTestKeyboard(X11Display& x11, HandlingCache& readings) : x11_(x11), readings_(readings) {}

  std::optional<platform::EventSource> createEventSource(std::int32_t stateId) override;
  // Absent without an X server with XTEST, for a key code with no X key
  // here, and for a key the keyboard map doesn't have.
  std::optional<platform::KeyEvent> createKeyboardEvent(const std::optional<platform::EventSource>& source,
                                                        std::uint16_t keyCode, bool keyDown) override;
  void setFlags(const platform::KeyEvent& event, std::uint64_t flags) override;
  // Sends the key press or release at once; the tap doesn't matter here.
  void post(std::uint32_t tap, const platform::KeyEvent& event) override;
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
