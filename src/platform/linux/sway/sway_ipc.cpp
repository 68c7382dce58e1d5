#include "sway/sway_ipc.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <utility>

#include "glue/monotonic_clock.h"

namespace axt::lindesk {

SwayIpc::Connector SwayIpc::unixSocket(std::string path) {
  return [path = std::move(path)]() -> OwnedFd {
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path) return {};
    OwnedFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd) return {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    // A local socket connects at once or not at all.
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return {};
    return fd;
  };
}

namespace {

// Waits for the socket to be ready for `events` until `deadline`
// (monotonic seconds).
bool waitFor(int fd, short events, double deadline) {
  for (;;) {
    const double left = deadline - monotonicSeconds();
    if (left <= 0) return false;
    pollfd p{fd, events, 0};
    const int n = ::poll(&p, 1, static_cast<int>(std::ceil(left * 1000)));
    if (n > 0) return (p.revents & (events | POLLHUP | POLLERR)) != 0;
    if (n < 0 && errno != EINTR) return false;
  }
}

bool sendAll(int fd, std::string_view bytes, double deadline) {
  while (!bytes.empty()) {
    const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!waitFor(fd, POLLOUT, deadline)) return false;
    } else {
      return false;
    }
  }
  return true;
}

// The answer to the one question out; `more` is set when bytes followed
// it, which belong to no question of ours.
std::optional<IpcMessage> receive(int fd, double deadline, bool& more) {
  IpcReader reader;
  char buffer[16384];
  while (reader.state() == IpcReader::State::kIncomplete) {
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n > 0) {
      more = reader.feed(std::string_view(buffer, static_cast<std::size_t>(n))) != static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!waitFor(fd, POLLIN, deadline)) return std::nullopt;
    } else {
      return std::nullopt;  // closed, or failed
    }
  }
  if (reader.state() != IpcReader::State::kComplete) return std::nullopt;
  return reader.message();
}

}  // namespace

std::optional<IpcMessage> SwayIpc::ask(IpcType type, std::string_view payload) {
  if (!socket_) socket_ = connect_ ? connect_() : OwnedFd();
  if (!socket_) return std::nullopt;
  const double deadline = monotonicSeconds() + kAnswerLimit;
  std::optional<IpcMessage> reply;
  bool more = false;
  if (sendAll(socket_.get(), ipcFrame(type, payload), deadline)) reply = receive(socket_.get(), deadline, more);
  if (!reply || more || reply->type != static_cast<std::uint32_t>(type)) {
    socket_ = OwnedFd();
    if (!reply || reply->type != static_cast<std::uint32_t>(type)) return std::nullopt;
  }
  return reply;
}

}  // namespace axt::lindesk
