// A connection to the compositor's IPC socket (the path sway gives its
// children in SWAYSOCK), asked one question at a time on the host's main
// thread. Each question has a limit: a compositor that doesn't answer
// within it costs the host that long once, and the connection is given up
// (the next question opens a new one), so a late answer is never taken for
// the next question's.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "glue/owned_fd.h"
#include "sway/ipc_message.h"

namespace axt::lindesk {

class SwayIpc {
 public:
  // How long a question waits for its answer.
  static constexpr double kAnswerLimit = 0.5;

  // Opens connections to the socket at `path` as they are needed; the
  // `connect` given makes one (tests hand in their own end of a pair).
  using Connector = std::function<OwnedFd()>;
  explicit SwayIpc(Connector connect) : connect_(std::move(connect)) {}
  static Connector unixSocket(std::string path);

  // The reply to the message, when the compositor gave one of the same
  // type within the limit.
  std::optional<IpcMessage> ask(IpcType type, std::string_view payload);

  // The connection the last question went over, for its events (after a
  // subscription); the next question opens a new one.
  OwnedFd takeConnection() { return std::move(socket_); }

 private:
  Connector connect_;
  OwnedFd socket_;
};

}  // namespace axt::lindesk
