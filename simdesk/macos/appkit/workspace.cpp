// In place of the workspace's Objective-C half: the simulated desktop's own
// workspace, as it is.
#include "workspace.h"

#include "simdesk/desktop.h"

namespace axt::macdesk {

struct AppKitWorkspace::Observations {};

AppKitWorkspace::AppKitWorkspace() = default;
AppKitWorkspace::~AppKitWorkspace() = default;

void AppKitWorkspace::addObserver(std::string_view name,
                                  std::function<void(const platform::WorkspaceNotification&)> block) {
  simdesk::seam().workspace().addObserver(name, std::move(block));
}

platform::RunningApplicationRef AppKitWorkspace::frontmostApplication() {
  return simdesk::seam().workspace().frontmostApplication();
}

platform::Pid AppKitWorkspace::currentProcessIdentifier() {
  return simdesk::seam().workspace().currentProcessIdentifier();
}

}  // namespace axt::macdesk
