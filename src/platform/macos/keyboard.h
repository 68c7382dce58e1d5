// Synthesised keyboard events (Core Graphics): an event source in a state
// of the system's, key events made from it, their modifier flags, and their
// posting at a tap.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace axt::macdesk {

class CGKeyboard final : public platform::Keyboard {
 public:
  std::optional<platform::EventSource> createEventSource(std::int32_t stateId) override;
  std::optional<platform::KeyEvent> createKeyboardEvent(const std::optional<platform::EventSource>& source,
                                                        std::uint16_t keyCode, bool keyDown) override;
  void setFlags(const platform::KeyEvent& event, std::uint64_t flags) override;
  void post(std::uint32_t tap, const platform::KeyEvent& event) override;
  // Events posted at the HID tap go to whichever application has the focus.
  bool reachesFocusedApplication() override { return true; }
};

}  // namespace axt::macdesk
