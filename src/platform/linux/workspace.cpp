#include "workspace.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "applications.h"
#include "event_listeners.h"
#include "window_structure.h"
#include "x11_display.h"

namespace axt::lindesk {

namespace {

using Block = std::function<void(const platform::WorkspaceNotification&)>;

struct Center {
  std::vector<std::pair<std::string, std::shared_ptr<const Block>>> blocks;
  std::optional<Pid> frontmost;
};

Center& center() {
  static Center c;
  return c;
}

void post(std::string_view name, Pid pid, AtspiAccessible* application) {
  platform::WorkspaceNotification note;
  note.name = std::string(name);
  note.userInfo.emplace();
  note.userInfo->emplace(std::string(platform::kApplicationKey),
                         platform::RunningApplicationRef(runningApplication(pid, application)));
  // Taken now: a block may add observers.
  std::vector<std::shared_ptr<const Block>> blocks;
  for (const auto& [n, block] : center().blocks) {
    if (n == note.name) blocks.push_back(block);
  }
  for (const auto& block : blocks) {
    if (*block) (*block)(note);
  }
}

}  // namespace

void applicationActivated(Pid pid, AtspiAccessible* application) {
  Center& c = center();
  // The application may have opened windows since it was last watched.
  watchWindowsOf(pid);
  if (c.frontmost == pid) return;
  c.frontmost = pid;
  post(platform::kDidActivateApplicationNotification, pid, application);
}

void applicationLaunched(Pid pid, AtspiAccessible* application) {
  post(platform::kDidLaunchApplicationNotification, pid, application);
}

void LinuxWorkspace::addObserver(std::string_view name, Block block) {
  // The notifications come from the bus's events: listening starts with the
  // first observer.
  startListening();
  center().blocks.emplace_back(std::string(name), std::make_shared<const Block>(std::move(block)));
}

platform::RunningApplicationRef LinuxWorkspace::frontmostApplication() {
  startListening();
  std::optional<Pid> pid = center().frontmost;
  if (!pid) {
    if (std::optional<::Window> w = activeWindow()) pid = windowPid(*w);
  }
  if (!pid) return nullptr;
  return runningApplication(*pid);
}

}  // namespace axt::lindesk
