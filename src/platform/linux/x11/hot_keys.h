// Global hot keys: a passive grab of the key on the X root window, for
// every state of the lock modifiers (Caps Lock, Num Lock, Scroll Lock), so
// that the combination works whichever of them is on. A press reaches the
// application's handlers on the main loop, newest handler first, as the
// event manager of macOS offers it.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "glue/run_loop.h"
#include "logic/key_hold.h"
#include "platform/platform.h"
#include "session/hot_keys.h"
#include "translation/application_event_handlers.h"

namespace axt::lindesk {

using platform::OSStatus;

class GrabHoldBack;
class X11Display;

class X11HotKeys final : public SessionHotKeys {
 public:
  // `holdBack` hears when a grabbed key goes down and up.
  X11HotKeys(X11Display& x11, GrabHoldBack& holdBack, GlibRunLoop& runLoop)
      : x11_(x11), holdBack_(holdBack), runLoop_(runLoop) {}

  OSStatus registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers, platform::EventHotKeyID id,
                          std::uint32_t options, std::optional<platform::EventHotKeyRef>& out) override;
  OSStatus installApplicationEventHandler(platform::EventHandler handler,
                                          std::span<const platform::EventTypeSpec> types,
                                          void* userData) override;

 private:
  struct Grab {
    KeyCode keycode = 0;
    unsigned int modifiers = 0;
    platform::EventHotKeyID id{};
  };

  void onKey(const XEvent& event);

  X11Display& x11_;
  GrabHoldBack& holdBack_;
  GlibRunLoop& runLoop_;
  std::vector<Grab> grabs_;
  // Which grabbed keys are held: the server's repeats of one are no press.
  KeyHold held_;
  ApplicationEventHandlers handlers_;
  unsigned int lockMasks_ = 0;
  bool listening_ = false;
};

}  // namespace axt::lindesk
