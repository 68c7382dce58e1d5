#include "window/window_tracker.h"

#include <vector>

#include "host/delivery/event_delivery.h"
#include "host/delivery/module_state.h"
#include "tracker/mac_accessibility.h"

namespace axt::window {

namespace {
// The window holds its delegate and the area its owner without owning them;
// this list is what keeps every tracker alive while events can reach it.
std::vector<std::shared_ptr<WindowTracker>> gTrackers;
}  // namespace

void WindowTracker::setupTrackingArea(const platform::Window& window) {
  platform::Windows& windows = platform::current().windows();
  const platform::Rect bounds = windows.contentViewBounds(window).value_or(platform::Rect{});
  trackingArea = windows.createTrackingArea(bounds, kTrackingOptions, weak_from_this());
  // Without a content view the area is kept but has nowhere to be installed.
  if (windows.contentViewBounds(window)) windows.addTrackingArea(window, *trackingArea);
}

void WindowTracker::mouseEntered() {
  // Without a host callback an event already pending is left as it is.
  if (host::observer_callback() == nullptr) return;
  host::handOver(host::EventParams{"mouse_hoverd", host::EventData{}});
}

void WindowTracker::mouseExited() {
  if (const auto& tracker = host::macAccessibility()) tracker->acctivateTheForMost();
}

void addMouseTracker(void* object) {
  platform::Windows& windows = platform::current().windows();
  std::optional<platform::Window> window = windows.windowFromObject(object);
  if (!window) return;
  auto tracker = std::make_shared<WindowTracker>();
  gTrackers.push_back(tracker);
  windows.setDelegate(*window, tracker);
  tracker->setupTrackingArea(*window);
}

std::size_t liveWindowTrackers() { return gTrackers.size(); }

}  // namespace axt::window
