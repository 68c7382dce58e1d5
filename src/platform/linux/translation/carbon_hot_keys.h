// The hot key as the seam has it, Carbon's: the host registers a virtual
// key code and modifier mask with an id, and installs handlers on the
// application event target; a press is offered to them as an event that
// carries the id. The session only grabs the combination
// (session/hot_keys.h) and says when it is pressed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/platform.h"
#include "session/hot_keys.h"
#include "translation/application_event_handlers.h"

namespace axt::lindesk {

class CarbonHotKeys final : public platform::HotKeys {
 public:
  explicit CarbonHotKeys(SessionHotKeys& session) : session_(session) {}

  // kEventHotKeyInvalidErr for a key this desktop doesn't know or can't
  // grab; kEventHotKeyExistsErr for a combination another client holds, or
  // that was registered here already.
  platform::OSStatus registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers, platform::EventHotKeyID id,
                                    std::uint32_t options, std::optional<platform::EventHotKeyRef>& out) override;
  platform::OSStatus installApplicationEventHandler(platform::EventHandler handler,
                                                    std::span<const platform::EventTypeSpec> types,
                                                    void* userData) override;

 private:
  SessionHotKeys& session_;
  ApplicationEventHandlers handlers_;
  std::uint64_t registered_ = 0;
};

}  // namespace axt::lindesk
