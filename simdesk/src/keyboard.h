// Synthesised keyboard events, and what the frontmost application does with
// them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "simdesk/desktop.h"

namespace simdesk::detail {

using axt::platform::EventSource;
using axt::platform::KeyEvent;

struct State;

// The frontmost application handles a posted key this long after the post.
inline constexpr double kKeyHandlingDelay = 0.05;
inline constexpr std::uint16_t kKeyCodeV = 9;
inline constexpr std::uint64_t kCommandFlag = 0x100000;

class KeyLog {
 public:
  void record(const PostedKey& key) { keys_.push_back(key); }
  const std::vector<PostedKey>& keys() const { return keys_; }

 private:
  std::vector<PostedKey> keys_;
};

// The application frontmost right now handles the key: Command+V pastes the
// pasteboard's text into its focused editable text element.
void handleKeyInFrontmostApp(State& s, const PostedKey& key);

class KeyboardService final : public axt::platform::Keyboard {
 public:
  std::optional<EventSource> createEventSource(std::int32_t stateId) override;
  std::optional<KeyEvent> createKeyboardEvent(const std::optional<EventSource>& source,
                                              std::uint16_t keyCode, bool keyDown) override;
  void setFlags(const KeyEvent& event, std::uint64_t flags) override;
  void post(std::uint32_t tap, const KeyEvent& event) override;
  // False while the frontmost application is one keys don't reach.
  bool reachesFocusedApplication() override;
};

}  // namespace simdesk::detail
