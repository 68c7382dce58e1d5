// Applications that stopped answering accessibility requests, for a backend
// whose requests each wait a limit for the application's answer (the macOS
// backend, and the simulated desktop's own library, which behaves as it
// does). Without this, an application whose main thread hangs holds the
// host's main thread for one whole limit per read, read after read.
//
// A request that fails with kCannotComplete after waiting nearly its whole
// limit timed out: its application is marked, and until it answers again
// every request to it fails at once with kCannotComplete. A kCannotComplete
// that comes sooner is a refusal (the application doesn't take
// accessibility requests) and marks nothing. While anything is marked, each
// marked application is asked again every kProbeInterval seconds, on the
// main run loop, with a limit of only kProbeLimit, so that the asking never
// holds the main thread for long; any answer that isn't a timeout (an error
// of its own, or that it is gone) takes the mark away. So a hung
// application holds the host once, for one limit, and the events of other
// applications go on meanwhile.
//
// The backend gives a monotonic clock, a one-shot timer on the main run
// loop and the probe's one request. Platform-independent; Objective-C++ and
// C++ alike.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <utility>

#include "platform/values.h"

namespace axt::platform::backend {

class UnresponsiveApps {
 public:
  // Share of its limit after which a kCannotComplete counts as timed out:
  // below the whole, for a clock read a little late or early.
  static constexpr double kTimedOutShare = 0.9;
  static constexpr double kProbeInterval = 0.5;
  static constexpr double kProbeLimit = 0.05;

  struct Hooks {
    // Seconds on a clock that never goes back.
    std::function<double()> now;
    // Runs the action once, that many seconds from now, on the main run
    // loop in every mode.
    std::function<void(double seconds, std::function<void()> action)> after;
    // One request to the application, waiting at most `limit` seconds.
    std::function<AXError(Pid pid, double limit)> ask;
  };

  explicit UnresponsiveApps(Hooks hooks) : hooks_(std::move(hooks)), marks_(std::make_shared<Marks>()) {}

  // Makes `request`, a request to the application `pid` that waits at most
  // `limit` seconds, unless the application is marked: then it fails at
  // once, and `request` isn't made.
  template <class Request>
  AXError request(Pid pid, double limit, Request&& request) {
    if (holds(pid)) return axerr::kCannotComplete;
    const double start = hooks_.now();
    const AXError error = std::forward<Request>(request)();
    if (timedOut(error, start, limit)) {
      marks_->pids.insert(pid);
      probeLater();
    }
    return error;
  }

  bool holds(Pid pid) const { return marks_->pids.count(pid) != 0; }

  // Forgets every mark, and makes the probe already due a no-op.
  void forgetAll() { marks_ = std::make_shared<Marks>(); }

 private:
  struct Marks {
    std::set<Pid> pids;
    bool probeDue = false;
  };

  bool timedOut(AXError error, double start, double limit) const {
    return error == axerr::kCannotComplete && hooks_.now() - start >= limit * kTimedOutShare;
  }

  void probeLater() {
    if (marks_->probeDue) return;
    marks_->probeDue = true;
    // Only this object holds its marks: once it is gone, or has forgotten
    // them, the timer finds them gone too.
    std::weak_ptr<Marks> marks = marks_;
    hooks_.after(kProbeInterval, [this, marks] {
      if (!marks.expired()) probe();
    });
  }

  void probe() {
    marks_->probeDue = false;
    const std::set<Pid> asked = marks_->pids;
    for (const Pid pid : asked) {
      const double start = hooks_.now();
      if (!timedOut(hooks_.ask(pid, kProbeLimit), start, kProbeLimit)) marks_->pids.erase(pid);
    }
    if (!marks_->pids.empty()) probeLater();
  }

  Hooks hooks_;
  std::shared_ptr<Marks> marks_;
};

}  // namespace axt::platform::backend
