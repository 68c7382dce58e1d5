// The workspace: its notification center, which application is frontmost,
// and the activation and launch notifications, which come from windows
// being activated and from applications appearing on the accessibility bus.
#pragma once

#include <atspi/atspi.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "atspi/event_listeners.h"
#include "platform/platform.h"

namespace axt::lindesk {

using platform::Pid;

class Applications;
class WindowStructure;
class WindowPlaces;

class LinuxWorkspace final : public platform::Workspace, public WorkspaceEvents {
 public:
  LinuxWorkspace(Applications& applications, EventListeners& listeners, WindowStructure& windowStructure,
                 WindowPlaces& places)
      : applications_(applications), listeners_(listeners), windowStructure_(windowStructure), places_(places) {}

  void addObserver(std::string_view name,
                   std::function<void(const platform::WorkspaceNotification&)> block) override;
  platform::RunningApplicationRef frontmostApplication() override;
  platform::Pid currentProcessIdentifier() override;

  // A window of process `pid` was activated: when the frontmost application
  // changes, the activation notification goes out (and true is returned).
  bool applicationActivated(Pid pid, AtspiAccessible* application) override;
  // An application appeared on the bus.
  void applicationLaunched(Pid pid, AtspiAccessible* application) override;
  // Its windows' geometry is the toolkit's to report (window_structure.h).
  void toolkitReportsWindowGeometry(Pid pid) override;

 private:
  using Block = std::function<void(const platform::WorkspaceNotification&)>;

  void post(std::string_view name, Pid pid, AtspiAccessible* application);

  Applications& applications_;
  EventListeners& listeners_;
  WindowStructure& windowStructure_;
  WindowPlaces& places_;
  std::vector<std::pair<std::string, std::shared_ptr<const Block>>> blocks_;
  std::optional<Pid> frontmost_;
};

}  // namespace axt::lindesk
