// What the bus's events tell the parts that join the bus with the window
// system: the workspace's applications and where windows are.
#pragma once

#include <atspi/atspi.h>

#include "platform/values.h"

namespace axt::lindesk {

class WorkspaceEvents {
 public:
  virtual ~WorkspaceEvents() = default;
  // An application came onto the bus.
  virtual void applicationLaunched(platform::Pid pid, AtspiAccessible* application) = 0;
  // A window of the application became the active one; true when that
  // made the application the one in front (a switch).
  virtual bool applicationActivated(platform::Pid pid, AtspiAccessible* application) = 0;
  // The toolkit reports its windows' moves and resizes itself.
  virtual void toolkitReportsWindowGeometry(platform::Pid pid) = 0;
};

}  // namespace axt::lindesk
