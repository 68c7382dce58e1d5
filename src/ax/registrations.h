// Registration of the three sources that drive the tracker: accessibility
// observers, the workspace's activation and launch notifications, and the
// Option+Return hot key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace axt::ax {

inline constexpr std::uint32_t kHotKeyCode = 36;          // Return
inline constexpr std::uint32_t kHotKeyModifiers = 0x800;  // Option
// The first byte of "htk " alone, not its four-character code.
inline constexpr std::uint32_t kHotKeySignature = 0x68;
inline constexpr std::uint32_t kHotKeyId = 1;
inline constexpr std::uint32_t kHotKeyOptions = 0;
inline constexpr std::uint32_t kEventClassKeyboard = 0x6B657962;  // 'keyb'
inline constexpr std::uint32_t kEventHotKeyPressed = 5;

// The observer made by the most recent new registration.
std::optional<platform::Observer>& observer();
// The hot key's registration.
std::optional<platform::EventHotKeyRef>& hotKey();

// Observes `notification` on `element` (of process `pid`), calling `callback`
// on the main run loop with `tracker` (the tracker's address, not owned) as
// its context. Each combination of
// element, notification, callback and tracker is registered once: repeating
// it keeps the live observer and adds nothing, so handlers run once per
// notification however often an application is adopted or an element
// focused.
void setNotification(const platform::Element& element, platform::Pid pid,
                     const std::string& notification, platform::ObserverCallback callback,
                     void* tracker);

// Calls `callBack` for every activation and launch notification of the
// workspace, and registers the hot key with `keyDownCallback` as its
// handler and `tracker` (not owned) as its user data.
void setAppChangedNotification(
    std::function<void(const platform::WorkspaceNotification&)> callBack,
    platform::EventHandler keyDownCallback, void* tracker);

// Observers the library holds, one per registered combination.
std::size_t registeredObserverCount();

// Forgets every observer registration. Only for a desktop that was itself
// reset (tests): the platform has then dropped them already.
void forgetRegistrations();

// Forgets the registrations made for `tracker`, as it goes away. A
// registration is known by its context pointer, and the next tracker may be
// made at the same address: kept, the dead tracker's entries would pass for
// the new one's as already live, and the new tracker would never be told of
// a focus or selection change.
void forgetRegistrationsOf(const void* tracker);

}  // namespace axt::ax
