#include "windows.h"

#include "handles.h"
#include "state.h"

namespace simdesk::detail {

namespace {

bool inside(const Rect& r, const Point& p) {
  return p.x >= r.origin.x && p.x < r.origin.x + r.size.width && p.y >= r.origin.y &&
         p.y < r.origin.y + r.size.height;
}

// Where an area lies on the screen now: following the visible rectangle it
// is the whole content area; otherwise its own rectangle in the content view.
Rect screenRect(const InstalledArea& a, const HostWindow& w) {
  if ((a.area->options() & kTrackingInVisibleRect) != 0) return w.frame;
  const Rect& r = a.area->rect();
  return Rect{Point{w.frame.origin.x + r.origin.x, w.frame.origin.y + r.origin.y}, r.size};
}

HostWindow* windowOf(State& s, const Window& window) {
  const auto* h = handleAs<WindowHandle>(window);
  if (h == nullptr || h->generation() != s.generation) return nullptr;
  return s.windows.byNumber(h->id());
}

}  // namespace

void WindowTable::add(const HostWindowSpec& given) {
  if (HostWindow* existing = byId(given.id)) {
    existing->frame = given.frame;
    existing->contentView = given.contentView;
    return;
  }
  auto w = std::make_unique<HostWindow>();
  w->number = windows_.size() + 1;
  w->id = given.id;
  w->frame = given.frame;
  w->contentView = given.contentView;
  w->token = std::make_unique<WindowToken>(WindowToken{w->number});
  objects_.emplace(w->token.get(), w->number);
  windows_.push_back(std::move(w));
}

HostWindow* WindowTable::byId(const std::string& id) {
  for (auto& w : windows_) {
    if (w->id == id) return w.get();
  }
  return nullptr;
}

HostWindow* WindowTable::byNumber(std::uint64_t number) {
  if (number == 0 || number > windows_.size()) return nullptr;
  return windows_[number - 1].get();
}

HostWindow* WindowTable::byObject(const void* object) {
  auto it = objects_.find(object);
  return it == objects_.end() ? nullptr : byNumber(it->second);
}

void WindowTable::install(HostWindow& window, std::shared_ptr<const TrackingAreaHandle> area) {
  // Installed while the pointer is already inside: no event, the area just
  // starts out inside (or is told to assume so).
  const bool startsInside = (area->options() & kTrackingAssumeInside) != 0;
  InstalledArea installed{window.number, std::move(area), startsInside};
  if (!startsInside && pointer) installed.inside = inside(screenRect(installed, window), *pointer);
  areas_.push_back(std::move(installed));
}

void movePointer(State& s, Point p) {
  s.windows.pointer = p;
  const bool hostActive = s.apps.frontmost == kHostPid;
  for (InstalledArea& a : s.windows.areas()) {
    const HostWindow* w = s.windows.byNumber(a.window);
    if (w == nullptr) continue;
    const bool now = inside(screenRect(a, *w), p);
    if (now == a.inside) continue;
    a.inside = now;
    const std::uint32_t options = a.area->options();
    const bool reports = (options & kTrackingEnteredAndExited) != 0 &&
                         ((options & kTrackingActiveAlways) != 0 || hostActive);
    if (!reports) continue;
    s.loop.addMain(s.clock.now(), ItemModes::kAny, [owner = a.area->owner(), entered = now] {
      const std::shared_ptr<Responder> responder = owner.lock();
      if (!responder) return;
      if (entered) {
        responder->mouseEntered();
      } else {
        responder->mouseExited();
      }
    });
  }
}

void* notAWindow() {
  // A view, say: an object of the host's that isn't a window.
  static WindowToken view;
  return &view;
}

std::optional<Window> WindowsService::windowFromObject(void* object) {
  State& s = state();
  const HostWindow* w = s.windows.byObject(object);
  if (w == nullptr) return std::nullopt;
  return Window(std::make_shared<WindowHandle>(s.generation, w->number));
}

std::optional<Rect> WindowsService::contentViewBounds(const Window& window) {
  const HostWindow* w = windowOf(state(), window);
  if (w == nullptr || !w->contentView) return std::nullopt;
  return Rect{Point{0, 0}, w->frame.size};
}

void WindowsService::setDelegate(const Window& window, std::weak_ptr<Responder> delegate) {
  if (HostWindow* w = windowOf(state(), window)) w->delegate = std::move(delegate);
}

TrackingArea WindowsService::createTrackingArea(const Rect& rect, std::uint32_t options,
                                                std::weak_ptr<Responder> owner) {
  return TrackingArea(std::make_shared<TrackingAreaHandle>(rect, options, std::move(owner)));
}

void WindowsService::addTrackingArea(const Window& window, const TrackingArea& area) {
  State& s = state();
  HostWindow* w = windowOf(s, window);
  if (w == nullptr || !w->contentView || handleAs<TrackingAreaHandle>(area) == nullptr) return;
  s.windows.install(*w, std::static_pointer_cast<const TrackingAreaHandle>(area.shared()));
}

}  // namespace simdesk::detail
