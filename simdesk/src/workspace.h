// The workspace: its notification center, which application is frontmost,
// and launching, activating and quitting applications.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace simdesk::detail {

using axt::platform::Pid;
using axt::platform::RunningApplicationRef;
using axt::platform::WorkspaceNotification;

struct State;
struct AppRecord;

using WorkspaceBlock = std::function<void(const WorkspaceNotification&)>;

class WorkspaceCenter {
 public:
  void add(std::string name, WorkspaceBlock block);
  // The blocks observing `name`, in the order they were added.
  std::vector<std::shared_ptr<const WorkspaceBlock>> blocksFor(std::string_view name) const;
  std::size_t size() const { return blocks_.size(); }

 private:
  std::vector<std::pair<std::string, std::shared_ptr<const WorkspaceBlock>>> blocks_;
};

// Queues the notification on the main loop; the blocks observing it at
// delivery time are called. Without an application the notification has no
// user information at all.
void postWorkspaceNotification(State& s, std::string_view name, RunningApplicationRef app);

// Makes a running application frontmost, posting the activation
// notification when the frontmost application changes. Activations the
// library asked for are counted. False for an application that isn't running.
bool activateApplication(State& s, Pid pid, bool askedByLibrary);
// The library's activateWithOptions: on an application object, which may
// belong to an application since replaced, quit or reset away.
bool activateRecord(const std::shared_ptr<AppRecord>& record);
void launchApplication(State& s, Pid pid, bool finished);
void quitApplication(State& s, Pid pid);

class WorkspaceService final : public axt::platform::Workspace {
 public:
  void addObserver(std::string_view name,
                   std::function<void(const WorkspaceNotification&)> block) override;
  RunningApplicationRef frontmostApplication() override;
  // The simulated host's, whatever process the simulation runs in.
  Pid currentProcessIdentifier() override;
};

}  // namespace simdesk::detail
