// The workspace: its notification center, which application is frontmost,
// and the activation and launch notifications, which come from windows
// being activated and from applications appearing on the accessibility bus.
#pragma once

#include <atspi/atspi.h>

#include <functional>
#include <string_view>

#include "platform/platform.h"

namespace axt::lindesk {

using platform::Pid;

// A window of process `pid` was activated: when the frontmost application
// changes, the activation notification goes out.
void applicationActivated(Pid pid, AtspiAccessible* application);
// An application appeared on the bus.
void applicationLaunched(Pid pid, AtspiAccessible* application);

class LinuxWorkspace final : public platform::Workspace {
 public:
  void addObserver(std::string_view name,
                   std::function<void(const platform::WorkspaceNotification&)> block) override;
  platform::RunningApplicationRef frontmostApplication() override;
};

}  // namespace axt::lindesk
