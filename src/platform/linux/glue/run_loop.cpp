#include "glue/run_loop.h"

#include <glib.h>
#include <poll.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <thread>

#include "glue/c_callback.h"
#include "glue/monotonic_clock.h"

namespace axt::lindesk {

namespace {

using Block = std::function<void()>;

// A block on its way through the main context, with the handling it runs in.
struct Posted {
  Handling* handling = nullptr;  // the run loop's, which outlives its sources
  Block block;
};

gboolean runOnce(gpointer data) {
  callFromC([data] {
    auto* posted = static_cast<Posted*>(data);
    // Moved out first: the block may schedule another one, or the context
    // may be torn down around it.
    Block block = std::move(posted->block);
    posted->handling->run([&block] {
      if (block) block();
    });
  });
  return G_SOURCE_REMOVE;
}

void destroyBlock(gpointer data) {
  callFromC([data] { const std::unique_ptr<Posted> owned(static_cast<Posted*>(data)); });
}

// Milliseconds for a delay in seconds, rounded up: a block never runs before
// its time. Negative and NaN delays run at once.
guint milliseconds(double seconds) {
  if (!(seconds > 0)) return 0;
  const double ms = std::ceil(seconds * 1000.0);
  if (ms >= static_cast<double>(std::numeric_limits<guint>::max())) return std::numeric_limits<guint>::max();
  return static_cast<guint>(ms);
}

void addTimeout(Handling& handling, guint ms, Block block) {
  // The source owns the block from here: destroyBlock frees it with the
  // source, whether or not it ran.
  auto data = std::make_unique<Posted>(Posted{&handling, std::move(block)});
  GSource* source = ms == 0 ? g_idle_source_new() : g_timeout_source_new(ms);
  g_source_set_priority(source, G_PRIORITY_DEFAULT);
  g_source_set_callback(source, runOnce, data.release(), destroyBlock);
  g_source_attach(source, nullptr);
  g_source_unref(source);  // the context keeps it until it has run
}

}  // namespace

void GlibRunLoop::post(std::function<void()> block) {
  if (block) addTimeout(handling_, 0, std::move(block));
}

void GlibRunLoop::postAfter(double seconds, std::function<void()> block) {
  if (block) addTimeout(handling_, milliseconds(seconds), std::move(block));
}

void GlibRunLoop::dispatchAfter(double seconds, std::function<void()> block) { postAfter(seconds, std::move(block)); }

void GlibRunLoop::scheduleTimer(double interval, platform::RunLoopMode /*mode*/,
                                std::function<void()> action) {
  // A timer asked for no interval at all still waits for the next turn.
  if (action) addTimeout(handling_, std::max<guint>(1, milliseconds(interval)), std::move(action));
}

// Every caller measures a duration with it (a busy wait's deadline), so it
// reads the monotonic clock: a step of the wall clock (NTP, the user setting
// the time) would otherwise stretch or cut the wait.
double GlibRunLoop::currentDate() { return monotonicSeconds(); }

void GlibRunLoop::addBusyWaitService(int fd, std::function<void()> serve) {
  if (fd >= 0 && serve) busyWaitServices_.push_back(BusyWaitService{fd, std::move(serve)});
}

void GlibRunLoop::removeBusyWaitService(int fd) {
  std::erase_if(busyWaitServices_, [fd](const BusyWaitService& s) { return s.fd == fd; });
}

void GlibRunLoop::busyWaitTurn(double until) {
  if (busyWaitServices_.empty()) {
    // The clock moves by itself; let the other threads of the machine
    // have the core meanwhile.
    std::this_thread::yield();
    return;
  }
  const std::vector<BusyWaitService>& services = busyWaitServices_;
  // What arrived while the caller was busy first; then a nap on the
  // descriptors that ends on the first request or by the deadline, so that
  // requests are answered at once and the wait never overshoots by more
  // than a millisecond.
  for (const BusyWaitService& s : services) s.serve();
  const double left = until - currentDate();
  const int napMs = left >= 0.001 ? 1 : 0;
  std::vector<pollfd> fds;
  fds.reserve(services.size());
  for (const BusyWaitService& s : services) fds.push_back(pollfd{s.fd, POLLIN, 0});
  if (poll(fds.data(), fds.size(), napMs) <= 0) return;
  for (std::size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents != 0) services[i].serve();
  }
}

}  // namespace axt::lindesk
