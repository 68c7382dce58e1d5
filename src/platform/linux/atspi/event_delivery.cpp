#include "atspi/event_delivery.h"

#include <optional>
#include <string>
#include <string_view>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "atspi/element_attributes.h"
#include "atspi/workspace_events.h"
#include "logic/observers.h"
#include "translation/notifications.h"

namespace axt::lindesk {

void EventDelivery::deliver(const HeardEvent& e) {
  const std::string_view notification = notificationOf(e.kind);
  if (notification.empty()) return;
  AtspiAccessible* source = e.source.get();
  const std::optional<platform::Pid> pid = applications_.processOf(source);
  if (!pid) return;
  if (e.kind == HeardKind::kWindowMoved || e.kind == HeardKind::kWindowResized) {
    workspace_.toolkitReportsWindowGeometry(*pid);
  }
  const std::string name(notification);
  if (!observers_.anyoneListens(*pid, name)) return;
  observers_.deliver(*pid, wrapElement(*pid, source, session_.connectionNumber()), name, e.heardOrder);
}

void EventDelivery::launched(const HeardEvent& e) {
  if (!e.child) return;
  if (const std::optional<platform::Pid> pid = applications_.processOf(e.child.get())) {
    workspace_.applicationLaunched(*pid, e.child.get());
  }
}

}  // namespace axt::lindesk
