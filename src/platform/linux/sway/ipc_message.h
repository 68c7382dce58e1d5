// The messages of the compositor's IPC (sway's, which i3 began): a fixed
// header, "i3-ipc", the payload's length and the message's type, each a
// 32-bit number in the machine's own byte order, then the payload, JSON
// text. A reply has the type of the message it answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace axt::lindesk {

enum class IpcType : std::uint32_t {
  kRunCommand = 0,
  kSubscribe = 2,
  kGetTree = 4,
  kGetConfig = 9,
};

// An event on a subscribed connection: its type has the high bit set.
inline constexpr std::uint32_t kBindingEvent = 0x80000005u;

struct IpcMessage {
  std::uint32_t type = 0;
  std::string payload;
};

// A reply larger than this is refused, whatever its header claims: the
// compositor's tree of a crowded desktop is a few hundred kilobytes, and
// another process doesn't decide what the host holds.
inline constexpr std::uint32_t kIpcPayloadLimit = 16u << 20;

std::string ipcFrame(IpcType type, std::string_view payload);

// Collects a reply as its bytes arrive, in as many pieces as the socket
// gives them.
class IpcReader {
 public:
  enum class State { kIncomplete, kComplete, kMalformed };
  // Takes the next bytes; what follows a complete message is left unread.
  // Returns how many bytes of `bytes` were taken.
  std::size_t feed(std::string_view bytes);
  State state() const { return state_; }
  // The message, once complete.
  const IpcMessage& message() const { return message_; }

 private:
  std::string header_;
  IpcMessage message_;
  std::uint32_t length_ = 0;
  State state_ = State::kIncomplete;
};

}  // namespace axt::lindesk
