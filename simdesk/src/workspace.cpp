#include "workspace.h"

#include "state.h"

namespace simdesk::detail {

namespace platform = axt::platform;

void WorkspaceCenter::add(std::string name, WorkspaceBlock block) {
  blocks_.emplace_back(std::move(name), std::make_shared<const WorkspaceBlock>(std::move(block)));
}

std::vector<std::shared_ptr<const WorkspaceBlock>> WorkspaceCenter::blocksFor(
    std::string_view name) const {
  std::vector<std::shared_ptr<const WorkspaceBlock>> out;
  for (const auto& [n, block] : blocks_) {
    if (n == name) out.push_back(block);
  }
  return out;
}

void postWorkspaceNotification(State& s, std::string_view name, RunningApplicationRef app) {
  WorkspaceNotification note;
  note.name = std::string(name);
  if (app) {
    note.userInfo.emplace();
    note.userInfo->emplace(std::string(platform::kApplicationKey), std::move(app));
  }
  s.loop.addMain(s.clock.now(), ItemModes::kAny, [note = std::move(note)] {
    // Taken now: a block may add observers, or reset the desktop.
    for (const auto& block : state().workspace.blocksFor(note.name)) {
      if (*block) (*block)(note);
    }
  });
}

bool activateApplication(State& s, Pid pid, bool askedByLibrary) {
  SimApp* app = s.apps.app(pid);
  if (app == nullptr || !app->running()) return false;
  if (askedByLibrary) ++s.apps.activations[pid];
  if (s.apps.frontmost != pid) {
    s.apps.frontmost = pid;
    postWorkspaceNotification(s, platform::kDidActivateApplicationNotification, app->object);
  }
  return true;
}

bool activateRecord(const std::shared_ptr<AppRecord>& record) {
  State& s = state();
  const SimApp* app = s.apps.app(record->pid);
  if (app == nullptr || app->record != record) return false;
  return activateApplication(s, record->pid, true);
}

void launchApplication(State& s, Pid pid, bool finished) {
  SimApp* app = s.apps.app(pid);
  if (app == nullptr || !app->running()) return;
  app->record->finishedLaunching = finished;
  postWorkspaceNotification(s, platform::kDidLaunchApplicationNotification, app->object);
}

void quitApplication(State& s, Pid pid) {
  SimApp* app = s.apps.app(pid);
  if (app == nullptr || !app->running()) return;
  app->record->running = false;
  if (s.apps.frontmost == pid) {
    const SimApp* host = s.apps.app(kHostPid);
    if (host != nullptr && host->running()) {
      s.apps.frontmost = kHostPid;
    } else {
      s.apps.frontmost.reset();
    }
  }
}

void WorkspaceService::addObserver(std::string_view name,
                                   std::function<void(const WorkspaceNotification&)> block) {
  state().workspace.add(std::string(name), std::move(block));
}

RunningApplicationRef WorkspaceService::frontmostApplication() {
  State& s = state();
  if (!s.apps.frontmost) return nullptr;
  const SimApp* app = s.apps.app(*s.apps.frontmost);
  return app != nullptr ? app->object : nullptr;
}

Pid WorkspaceService::currentProcessIdentifier() { return kHostPid; }

}  // namespace simdesk::detail
