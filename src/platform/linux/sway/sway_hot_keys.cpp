#include "sway/sway_hot_keys.h"

#include <glib-unix.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "sway/sway_binding.h"
#include "sway/sway_window_activation.h"

namespace axt::lindesk {

namespace {

gboolean onReadable(gint, GIOCondition, gpointer self) {
  static_cast<SwayHotKeys*>(self)->readEvents();
  return G_SOURCE_CONTINUE;  // readEvents removes the watch itself when the connection ends
}

}  // namespace

SwayHotKeys::~SwayHotKeys() {
  stopListening();
  // Each binding's keeper, its pipe closed with it, takes the binding back.
}

bool SwayHotKeys::subscribe() {
  if (subscription_) return true;
  SwayIpc connection(events_);
  const std::optional<IpcMessage> reply = connection.ask(IpcType::kSubscribe, R"(["binding"])");
  if (!reply || !replySucceeded(reply->payload)) return false;
  subscription_ = connection.takeConnection();
  if (!subscription_) return false;
  reader_ = IpcReader();
  watch_ = g_unix_fd_add(subscription_.get(), static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR), onReadable,
                         this);
  return true;
}

void SwayHotKeys::stopListening() {
  if (watch_ != 0) g_source_remove(watch_);
  watch_ = 0;
  subscription_ = OwnedFd();
}

GrabOutcome SwayHotKeys::grab(const KeyCombination& keys, std::function<void()> pressed) {
  const std::optional<std::string> named = bindingKeys(keys);
  if (!named) return GrabOutcome::kUnavailable;
  const std::string command = "nop axtrack-hot-key-" + std::to_string(::getpid()) + "-" +
                              std::to_string(bindings_.size() + 1);
  for (const Binding& b : bindings_) {
    if (b.keys == *named) return GrabOutcome::kTaken;
  }
  // The user's own binding of the keys stays theirs. (Asked on a
  // connection of its own, as the subscription is.)
  const std::optional<IpcMessage> config = SwayIpc(events_).ask(IpcType::kGetConfig, "");
  if (!config) return GrabOutcome::kUnavailable;
  if (configBindsKeys(config->payload, *named)) return GrabOutcome::kTaken;
  if (!subscribe()) return GrabOutcome::kUnavailable;
  // The keeper first: a binding is never made that could outlive the host.
  OwnedFd keeper = keeper_ ? keeper_("unbindsym " + *named) : OwnedFd();
  if (!keeper) return GrabOutcome::kUnavailable;
  const std::optional<IpcMessage> reply = commands_.ask(IpcType::kRunCommand, "bindsym " + *named + " " + command);
  if (!reply || !commandsSucceeded(reply->payload)) return GrabOutcome::kUnavailable;
  bindings_.push_back(Binding{*named, command, std::move(pressed), std::move(keeper)});
  return GrabOutcome::kGrabbed;
}

void SwayHotKeys::readEvents() {
  char buffer[16384];
  for (;;) {
    const ssize_t n = ::recv(subscription_.get(), buffer, sizeof buffer, MSG_DONTWAIT);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (n <= 0) {
      // The compositor went away, or the connection failed: no more
      // presses are heard.
      stopListening();
      return;
    }
    std::string_view bytes(buffer, static_cast<std::size_t>(n));
    while (!bytes.empty()) {
      bytes.remove_prefix(reader_.feed(bytes));
      if (reader_.state() == IpcReader::State::kMalformed) {
        stopListening();
        return;
      }
      if (reader_.state() != IpcReader::State::kComplete) break;
      const IpcMessage message = reader_.message();
      reader_ = IpcReader();
      if (message.type != kBindingEvent) continue;
      const std::optional<std::string> ran = boundCommandOf(message.payload);
      if (!ran) continue;
      for (const Binding& b : bindings_) {
        if (b.command == *ran) runLoop_.post(b.pressed);
      }
    }
  }
}

}  // namespace axt::lindesk
