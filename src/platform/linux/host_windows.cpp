#include "host_windows.h"

#include <X11/Xlib.h>

#include <map>
#include <vector>

#include "handles.h"
#include "run_loop.h"
#include "x11_display.h"

namespace axt::lindesk {

namespace {

// The tracking option that asks for entering and leaving.
constexpr std::uint32_t kTrackingEnteredAndExited = 0x1;
// X resource identifiers have 29 bits.
constexpr std::uintptr_t kLargestResourceId = 0x1FFFFFFF;

class WindowHandle final : public platform::Handle {
 public:
  explicit WindowHandle(::Window id) : id_(id) {}
  bool equals(const platform::Handle& other) const override {
    const auto* o = handleAs<WindowHandle>(&other);
    return o != nullptr && o->id_ == id_;
  }
  std::size_t hash() const override { return std::hash<::Window>{}(id_); }
  ::Window id() const { return id_; }

 private:
  ::Window id_;
};

class AreaHandle final : public platform::Handle {
 public:
  AreaHandle(platform::Rect rect, std::uint32_t options, std::weak_ptr<platform::Responder> owner)
      : rect_(rect), options_(options), owner_(std::move(owner)) {}
  bool equals(const platform::Handle& other) const override { return &other == this; }
  std::size_t hash() const override { return std::hash<const void*>{}(this); }
  std::uint32_t options() const { return options_; }
  const std::weak_ptr<platform::Responder>& owner() const { return owner_; }

 private:
  platform::Rect rect_;
  std::uint32_t options_;
  std::weak_ptr<platform::Responder> owner_;
};

struct Tracked {
  std::weak_ptr<platform::Responder> delegate;
  std::vector<std::shared_ptr<const AreaHandle>> areas;
};

struct Table {
  std::map<::Window, Tracked> windows;
  bool listening = false;
};

Table& table() {
  static Table t;
  return t;
}

// Crossings caused by grabs (a menu opening) and moves between the window
// and its own child windows are not the pointer entering or leaving.
bool crossesTheWindow(const XCrossingEvent& e) { return e.mode == NotifyNormal && e.detail != NotifyInferior; }

void onEvent(const XEvent& event) {
  Table& t = table();
  if (event.type == DestroyNotify) {
    // Its identifier may be given to another window later.
    t.windows.erase(event.xdestroywindow.window);
    return;
  }
  if (event.type != EnterNotify && event.type != LeaveNotify) return;
  auto it = t.windows.find(event.xcrossing.window);
  if (it == t.windows.end() || !crossesTheWindow(event.xcrossing)) return;
  const bool entered = event.type == EnterNotify;
  for (const auto& area : it->second.areas) {
    if ((area->options() & kTrackingEnteredAndExited) == 0) continue;
    // From the main loop, not from inside the X event dispatch.
    postToMainLoop([owner = area->owner(), entered] {
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

std::optional<XWindowAttributes> attributesOf(::Window id) {
  Display* d = xDisplay();
  if (d == nullptr) return std::nullopt;
  XWindowAttributes attributes;
  XErrorTrap trap(d);
  const Status ok = XGetWindowAttributes(d, id, &attributes);
  if (trap.failed() || ok == 0) return std::nullopt;
  return attributes;
}

::Window idOf(const platform::Window& window) {
  const auto* h = handleAs<WindowHandle>(window);
  return h != nullptr ? h->id() : 0;
}

}  // namespace

std::optional<platform::Window> X11HostWindows::windowFromObject(void* object) {
  const auto value = reinterpret_cast<std::uintptr_t>(object);
  if (value == 0 || value > kLargestResourceId) return std::nullopt;
  const auto id = static_cast<::Window>(value);
  // The server tells whether it is a window; nothing is read through the
  // pointer.
  if (!attributesOf(id)) return std::nullopt;
  return platform::Window(std::make_shared<WindowHandle>(id));
}

std::optional<platform::Rect> X11HostWindows::contentViewBounds(const platform::Window& window) {
  const ::Window id = idOf(window);
  if (id == 0) return std::nullopt;
  std::optional<XWindowAttributes> a = attributesOf(id);
  if (!a) return std::nullopt;
  return platform::Rect{{0, 0}, {static_cast<double>(a->width), static_cast<double>(a->height)}};
}

void X11HostWindows::setDelegate(const platform::Window& window, std::weak_ptr<platform::Responder> delegate) {
  const ::Window id = idOf(window);
  if (id != 0) table().windows[id].delegate = std::move(delegate);
}

platform::TrackingArea X11HostWindows::createTrackingArea(const platform::Rect& rect, std::uint32_t options,
                                                          std::weak_ptr<platform::Responder> owner) {
  return platform::TrackingArea(std::make_shared<AreaHandle>(rect, options, std::move(owner)));
}

void X11HostWindows::addTrackingArea(const platform::Window& window, const platform::TrackingArea& area) {
  const ::Window id = idOf(window);
  const auto* handle = handleAs<AreaHandle>(area);
  Display* d = xDisplay();
  if (id == 0 || handle == nullptr || d == nullptr) return;
  std::optional<XWindowAttributes> a = attributesOf(id);
  if (!a) return;
  Table& t = table();
  if (!t.listening) {
    t.listening = true;
    addXEventHandler(onEvent);
  }
  {
    // Added to what this connection already hears from the window; its
    // destruction ends the tracking.
    XErrorTrap trap(d);
    XSelectInput(d, id, a->your_event_mask | EnterWindowMask | LeaveWindowMask | StructureNotifyMask);
    if (trap.failed()) return;
  }
  t.windows[id].areas.push_back(std::static_pointer_cast<const AreaHandle>(area.shared()));
  XFlush(d);
}

}  // namespace axt::lindesk
