// Key events as the seam has them, Core Graphics': a source, presses and
// releases made from it (posted_keys.h), flags set on each, each posted to
// a tap. The session types the key each stands for (session/key_typing.h);
// the source and the tap say nothing on this desktop.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/platform.h"
#include "session/key_typing.h"

namespace axt::lindesk {

class CoreGraphicsKeyboard final : public platform::Keyboard {
 public:
  explicit CoreGraphicsKeyboard(SessionKeyTyping& typing) : typing_(typing) {}

  std::optional<platform::EventSource> createEventSource(std::int32_t stateId) override;
  // Absent for a key code with no counterpart here, and for a key the
  // session can't type now.
  std::optional<platform::KeyEvent> createKeyboardEvent(const std::optional<platform::EventSource>& source,
                                                        std::uint16_t keyCode, bool keyDown) override;
  void setFlags(const platform::KeyEvent& event, std::uint64_t flags) override;
  // Types the key at once.
  void post(std::uint32_t tap, const platform::KeyEvent& event) override;
  bool reachesFocusedApplication() override;

 private:
  SessionKeyTyping& typing_;
};

}  // namespace axt::lindesk
