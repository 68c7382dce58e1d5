// In place of the host windows' Objective-C half: the simulated desktop's
// own windows, tracking areas and pointer, as they are.
#include "host_windows.h"

#include "simdesk/desktop.h"

namespace axt::macdesk {

namespace {
platform::Windows& desktop() { return simdesk::seam().windows(); }
}  // namespace

struct AppKitWindows::Table {};

AppKitWindows::AppKitWindows() = default;
AppKitWindows::~AppKitWindows() = default;

std::optional<platform::Window> AppKitWindows::windowFromObject(void* object) {
  return desktop().windowFromObject(object);
}

std::optional<platform::Rect> AppKitWindows::contentViewBounds(const platform::Window& window) {
  return desktop().contentViewBounds(window);
}

void AppKitWindows::setDelegate(const platform::Window& window, std::weak_ptr<platform::Responder> delegate) {
  desktop().setDelegate(window, std::move(delegate));
}

platform::TrackingArea AppKitWindows::createTrackingArea(const platform::Rect& rect, std::uint32_t options,
                                                         std::weak_ptr<platform::Responder> owner) {
  return desktop().createTrackingArea(rect, options, std::move(owner));
}

void AppKitWindows::addTrackingArea(const platform::Window& window, const platform::TrackingArea& area) {
  desktop().addTrackingArea(window, area);
}

}  // namespace axt::macdesk
