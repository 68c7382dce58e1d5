// Global hot keys: a passive grab of the key on the X root window, for
// every state of the lock modifiers (Caps Lock, Num Lock, Scroll Lock), so
// that the combination works whichever of them is on. A press reaches the
// application's handlers on the main loop, newest handler first, as the
// event manager of the library's other platform offers it.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <optional>
#include <span>

#include "hot_key_mapping.h"
#include "platform/platform.h"

namespace axt::lindesk {

using platform::OSStatus;

inline constexpr OSStatus kEventHotKeyExistsErr = -9878;
inline constexpr OSStatus kEventHotKeyInvalidErr = -9879;
inline constexpr OSStatus kParamErr = -50;

class X11HotKeys final : public platform::HotKeys {
 public:
  OSStatus registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers, platform::EventHotKeyID id,
                          std::uint32_t options, std::optional<platform::EventHotKeyRef>& out) override;
  OSStatus installApplicationEventHandler(platform::EventHandler handler,
                                          std::span<const platform::EventTypeSpec> types,
                                          void* userData) override;
};

}  // namespace axt::lindesk
