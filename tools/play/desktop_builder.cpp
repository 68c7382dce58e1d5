#include "desktop_builder.h"

#include "output.h"
#include "simdesk/desktop.h"

namespace play {

void buildDesktop(const Plan& plan) {
  simdesk::Desktop& desktop = simdesk::Desktop::get();
  desktop.reset();
  desktop.setTrusted(plan.trusted);
  desktop.setPasteboard(plan.pasteboard);
  for (const auto& window : plan.hostWindows) desktop.addHostWindow(window);
  for (const auto& app : plan.apps) desktop.addApp(app);
  // After reset, which sends lines back to standard output.
  installLineSink();
}

}  // namespace play
