// Global hot keys and the application's event handlers, through the event
// manager on the application event target. A registered hot key stays
// registered for the life of the process, as a handler stays installed; the
// event manager offers a press to the handlers newest first, each answering
// whether the next may see it.
#pragma once

#include <Carbon/Carbon.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "platform/platform.h"

namespace axt::macdesk {

class CarbonHotKeys final : public platform::HotKeys {
 public:
  platform::OSStatus registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers, platform::EventHotKeyID id,
                                    std::uint32_t options, std::optional<platform::EventHotKeyRef>& out) override;
  platform::OSStatus installApplicationEventHandler(platform::EventHandler handler,
                                                    std::span<const platform::EventTypeSpec> types,
                                                    void* userData) override;

 private:
  // What the event manager hands back with each event.
  struct Installed {
    std::size_t index = 0;
    platform::EventHandler handler = nullptr;
    void* userData = nullptr;
  };

  static OSStatus onEvent(EventHandlerCallRef call, EventRef event, void* userData);

  // The event manager's references: not reference-counted, never released.
  std::vector<::EventHotKeyRef> hotKeys_;
  // A deque: the event manager holds the records' addresses.
  std::deque<Installed> handlers_;
};

}  // namespace axt::macdesk
