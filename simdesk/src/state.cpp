#include "state.h"

#include <utility>

namespace simdesk::detail {

State::State(std::uint64_t gen) : generation(gen) {
  AppSpec host;
  host.pid = kHostPid;
  host.name = kHostName;
  host.bundleId = "com.quillarbor.host";
  apps.add(host);
  apps.frontmost = kHostPid;
}

bool State::holdsClosures() const {
  return loop.pendingMain() + loop.pendingWorld() > 0 || workspace.size() > 0;
}

Session::Session() : state_(std::make_unique<State>(nextGeneration_++)) {}

void Session::reset() {
  // Bounded: a destructor that keeps scheduling more work must not hang us.
  constexpr int kRounds = 8;
  for (int round = 0; round < kRounds; ++round) {
    std::unique_ptr<State> old = std::exchange(state_, std::make_unique<State>(nextGeneration_++));
    old.reset();
    if (!state_->holdsClosures()) break;
  }
}

}  // namespace simdesk::detail
