#include "atspi/event_delivery.h"

#include <optional>
#include <string>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "atspi/element_attributes.h"
#include "atspi/workspace_events.h"
#include "logic/observers.h"

namespace axt::lindesk {

const char* EventDelivery::notificationOf(HeardKind kind) {
  switch (kind) {
    case HeardKind::kFocusGained:
      return "AXFocusedUIElementChanged";
    case HeardKind::kSelection:
      return "AXSelectedTextChanged";
    case HeardKind::kWindowMoved:
      return "AXWindowMoved";
    case HeardKind::kWindowResized:
      return "AXWindowResized";
    default:
      return nullptr;
  }
}

void EventDelivery::deliver(const HeardEvent& e) {
  const char* notification = notificationOf(e.kind);
  if (notification == nullptr) return;
  AtspiAccessible* source = e.source.get();
  const std::optional<platform::Pid> pid = applications_.processOf(source);
  if (!pid) return;
  if (e.kind == HeardKind::kWindowMoved || e.kind == HeardKind::kWindowResized) {
    workspace_.toolkitReportsWindowGeometry(*pid);
  }
  const std::string name = notification;
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
