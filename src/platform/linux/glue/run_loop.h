// The run loop of the host's main thread: the default GLib main context,
// which the host runs (GTK and the other toolkits on this desktop run one).
// Blocks after a deadline and one-shot timers are sources on that context.
// GLib has no run-loop modes: a timer asked for in the default mode runs in
// any, as every source of the context does.
#pragma once

#include <functional>
#include <vector>

#include "platform/platform.h"

namespace axt::lindesk {

// What runs around everything the main loop hands the backend (a posted
// block, a timer, what X events bring): one handling of the backend's.
// What a handling scopes belongs to the rooms above (the handling cache), so
// the desktop that owns it says what a handling is.
class Handling {
 public:
  virtual ~Handling() = default;
  virtual void run(const std::function<void()>& block) = 0;
};

class GlibRunLoop final : public platform::MainRunLoop {
 public:
  explicit GlibRunLoop(Handling& handling) : handling_(handling) {}
  GlibRunLoop(const GlibRunLoop&) = delete;
  GlibRunLoop& operator=(const GlibRunLoop&) = delete;

  // Runs `block` from the main context as soon as it gets to it, never from
  // inside the caller. Every delivery to the library goes through here, so
  // that no callback runs inside a request the library is making.
  void post(std::function<void()> block);
  void postAfter(double seconds, std::function<void()> block);
  // Runs `block` at once as one handling: for what reaches the backend from
  // the main context other than through the blocks above (X events).
  void runAsOneHandling(const std::function<void()>& block) { handling_.run(block); }

  void dispatchAfter(double seconds, std::function<void()> block) override;
  void scheduleTimer(double interval, platform::RunLoopMode mode,
                     std::function<void()> action) override;
  double currentDate() override;
  void busyWaitTurn(double until) override;

  // Work that can't wait for the main loop while the library busy-waits on
  // the main thread: answering other clients that wait on us (the clipboard
  // owner serving a paste). `serve` handles what has arrived on the
  // descriptor `fd` without blocking; it runs on each turn of a busy wait,
  // which also sleeps on the descriptors for at most a millisecond at a
  // time. Nothing of the main loop runs from there.
  void addBusyWaitService(int fd, std::function<void()> serve);
  void removeBusyWaitService(int fd);

 private:
  struct BusyWaitService {
    int fd = -1;
    std::function<void()> serve;
  };
  Handling& handling_;
  std::vector<BusyWaitService> busyWaitServices_;
};

}  // namespace axt::lindesk
