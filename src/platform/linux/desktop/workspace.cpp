#include "desktop/workspace.h"

#include <unistd.h>

#include "atspi/applications.h"
#include "atspi/event_listeners.h"
#include "desktop/window_structure.h"
#include "session/window_places.h"

namespace axt::lindesk {

void LinuxWorkspace::post(std::string_view name, Pid pid, AtspiAccessible* application) {
  platform::WorkspaceNotification note;
  note.name = std::string(name);
  note.userInfo.emplace();
  note.userInfo->emplace(std::string(platform::kApplicationKey),
                         platform::RunningApplicationRef(applications_.runningApplication(pid, application)));
  // Taken now: a block may add observers.
  std::vector<std::shared_ptr<const Block>> blocks;
  for (const auto& [n, block] : blocks_) {
    if (n == note.name) blocks.push_back(block);
  }
  for (const auto& block : blocks) {
    if (*block) (*block)(note);
  }
}

bool LinuxWorkspace::applicationActivated(Pid pid, AtspiAccessible* application) {
  // The application may have opened windows since it was last watched.
  windowStructure_.watchWindowsOf(pid);
  if (frontmost_ == pid) return false;
  frontmost_ = pid;
  post(platform::kDidActivateApplicationNotification, pid, application);
  return true;
}

void LinuxWorkspace::applicationLaunched(Pid pid, AtspiAccessible* application) {
  post(platform::kDidLaunchApplicationNotification, pid, application);
}

void LinuxWorkspace::addObserver(std::string_view name, Block block) {
  // The notifications come from the bus's events: listening starts with the
  // first observer.
  listeners_.start();
  blocks_.emplace_back(std::string(name), std::make_shared<const Block>(std::move(block)));
}

platform::RunningApplicationRef LinuxWorkspace::frontmostApplication() {
  listeners_.start();
  std::optional<Pid> pid = frontmost_;
  if (!pid) pid = places_.activeProcess();
  if (!pid) return nullptr;
  return applications_.runningApplication(*pid);
}

platform::Pid LinuxWorkspace::currentProcessIdentifier() { return static_cast<Pid>(getpid()); }

void LinuxWorkspace::toolkitReportsWindowGeometry(Pid pid) { windowStructure_.toolkitReportsWindowGeometry(pid); }

}  // namespace axt::lindesk
