// The module values shared by the entry points, the tracker and the event
// delivery. One instance each per loaded library, used on the main thread.
#pragma once

#include <memory>
#include <optional>

#include "axtrack/axtrack.h"
#include "host/delivery/event_params.h"

namespace axt::tracker {
class MacAccessibility;
}

namespace axt::host {

// The one tracker the entry points reach.
std::shared_ptr<tracker::MacAccessibility>& macAccessibility();
// The host's C event callback.
axtrack_callback& observer_callback();
// The one pending event.
std::optional<EventParams>& eventParams();

}  // namespace axt::host
