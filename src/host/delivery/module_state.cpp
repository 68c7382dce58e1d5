#include "host/delivery/module_state.h"

#include "tracker/mac_accessibility.h"

namespace axt::host {

namespace {
// Function-local statics would do as well; plain file statics keep the three
// values side by side and start empty at load.
std::shared_ptr<tracker::MacAccessibility> gTracker;
axtrack_callback gCallback = nullptr;
std::optional<EventParams> gPending;
}  // namespace

std::shared_ptr<tracker::MacAccessibility>& macAccessibility() { return gTracker; }
axtrack_callback& observer_callback() { return gCallback; }
std::optional<EventParams>& eventParams() { return gPending; }

}  // namespace axt::host
