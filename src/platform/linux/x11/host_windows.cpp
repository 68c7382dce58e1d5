#include "x11/host_windows.h"

#include "glue/run_loop.h"
#include "logic/handles.h"
#include "x11/x11_display.h"

namespace axt::lindesk {

namespace {

// The tracking option that asks for entering and leaving.
constexpr std::uint32_t kTrackingEnteredAndExited = 0x1;
// X resource identifiers have 29 bits.
constexpr std::uintptr_t kLargestResourceId = 0x1FFFFFFF;

// Crossings caused by grabs (a menu opening) and moves between the window
// and its own child windows are not the pointer entering or leaving.
bool crossesTheWindow(const XCrossingEvent& e) { return e.mode == NotifyNormal && e.detail != NotifyInferior; }

::Window idOf(const platform::Window& window) {
  const auto* h = handleAs<WindowHandle>(window);
  return h != nullptr ? static_cast<::Window>(h->id()) : 0;
}

}  // namespace

void X11HostWindows::onEvent(const XEvent& event) {
  if (event.type == DestroyNotify) {
    // Its identifier may be given to another window later.
    windows_.erase(event.xdestroywindow.window);
    return;
  }
  if (event.type != EnterNotify && event.type != LeaveNotify) return;
  auto it = windows_.find(event.xcrossing.window);
  if (it == windows_.end() || !crossesTheWindow(event.xcrossing)) return;
  const bool entered = event.type == EnterNotify;
  for (const auto& area : it->second.areas) {
    if ((area->options() & kTrackingEnteredAndExited) == 0) continue;
    // From the main loop, not from inside the X event dispatch.
    runLoop_.post([owner = area->owner(), entered] {
      const std::shared_ptr<platform::Responder> responder = owner.lock();
      if (!responder) return;
      if (entered) {
        responder->mouseEntered();
      } else {
        responder->mouseExited();
      }
    });
  }
}

std::optional<platform::Window> X11HostWindows::windowFromObject(void* object) {
  const auto value = reinterpret_cast<std::uintptr_t>(object);
  if (value == 0 || value > kLargestResourceId) return std::nullopt;
  const auto id = static_cast<::Window>(value);
  // The server tells whether it is a window; nothing is read through the
  // pointer.
  if (!x11_.geometry().attributes(id)) return std::nullopt;
  return platform::Window(std::make_shared<WindowHandle>(id));
}

std::optional<platform::Rect> X11HostWindows::contentViewBounds(const platform::Window& window) {
  const ::Window id = idOf(window);
  if (id == 0) return std::nullopt;
  std::optional<XWindowAttributes> a = x11_.geometry().attributes(id);
  if (!a) return std::nullopt;
  return platform::Rect{{0, 0}, {static_cast<double>(a->width), static_cast<double>(a->height)}};
}

void X11HostWindows::setDelegate(const platform::Window& window, std::weak_ptr<platform::Responder> delegate) {
  const ::Window id = idOf(window);
  if (id != 0) windows_[id].delegate = std::move(delegate);
}

platform::TrackingArea X11HostWindows::createTrackingArea(const platform::Rect& rect, std::uint32_t options,
                                                          std::weak_ptr<platform::Responder> owner) {
  return platform::TrackingArea(std::make_shared<TrackingAreaHandle>(rect, options, std::move(owner)));
}

void X11HostWindows::addTrackingArea(const platform::Window& window, const platform::TrackingArea& area) {
  const ::Window id = idOf(window);
  const auto* handle = handleAs<TrackingAreaHandle>(area);
  Display* d = x11_.display();
  if (id == 0 || handle == nullptr || d == nullptr) return;
  if (!listening_) {
    listening_ = true;
    x11_.addEventHandler([this](const XEvent& event) { onEvent(event); });
  }
  {
    // Added to what this connection already hears from the window; its
    // destruction ends the tracking.
    XErrorTrap trap(x11_.traps(), d);
    x11_.selectEvents(id, EnterWindowMask | LeaveWindowMask | StructureNotifyMask);
    if (trap.failed()) return;
  }
  windows_[id].areas.push_back(std::static_pointer_cast<const TrackingAreaHandle>(area.shared()));
  XFlush(d);
}

}  // namespace axt::lindesk
