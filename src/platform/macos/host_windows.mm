#include "host_windows.h"

#import <AppKit/AppKit.h>

#include <deque>

#include "handles.h"
#include "responder_forwarder.h"

namespace axt::macdesk {

namespace {

// A tracking area made and not yet (or already) on a view.
class AppKitTrackingArea final : public platform::backend::IdentityHandle {
 public:
  explicit AppKitTrackingArea(NSTrackingArea* area) : area_(area) {}
  NSTrackingArea* area() const { return area_; }

 private:
  NSTrackingArea* area_;  // strong
};

}  // namespace

struct AppKitWindows::Table {
  struct Entry {
    __weak NSWindow* window;
  };
  // By number, from 1; an entry whose window is gone stays, empty.
  std::deque<Entry> windows;
  NSMutableArray<AXTrackResponderForwarder*>* forwarders = [NSMutableArray array];

  std::uint64_t numberOf(NSWindow* window) {
    for (std::size_t i = 0; i < windows.size(); ++i) {
      if (windows[i].window == window) return i + 1;
    }
    windows.push_back(Entry{window});
    return windows.size();
  }

  NSWindow* window(const platform::Window& handle) const {
    const auto* h = handleAs<WindowHandle>(handle);
    if (h == nullptr || h->id() == 0 || h->id() > windows.size()) return nil;
    return windows[h->id() - 1].window;
  }

  AXTrackResponderForwarder* forwarder(std::weak_ptr<platform::Responder> responder,
                                       id<NSWindowDelegate> previous = nil) {
    AXTrackResponderForwarder* made = [[AXTrackResponderForwarder alloc] initWithResponder:std::move(responder)
                                                                          previousDelegate:previous];
    [forwarders addObject:made];
    return made;
  }
};

AppKitWindows::AppKitWindows() : table_(std::make_unique<Table>()) {}

AppKitWindows::~AppKitWindows() = default;

std::optional<platform::Window> AppKitWindows::windowFromObject(void* object) {
  if (object == nullptr) return std::nullopt;
  id candidate = (__bridge id)object;
  if (![candidate isKindOfClass:[NSWindow class]]) return std::nullopt;
  const std::uint64_t number = table_->numberOf(static_cast<NSWindow*>(candidate));
  return platform::Window(std::make_shared<const WindowHandle>(number));
}

std::optional<platform::Rect> AppKitWindows::contentViewBounds(const platform::Window& window) {
  NSView* content = table_->window(window).contentView;
  if (content == nil) return std::nullopt;
  const NSRect b = content.bounds;
  return platform::Rect{{b.origin.x, b.origin.y}, {b.size.width, b.size.height}};
}

void AppKitWindows::setDelegate(const platform::Window& window, std::weak_ptr<platform::Responder> delegate) {
  NSWindow* w = table_->window(window);
  // The delegate the host gave the window keeps hearing its messages.
  if (w != nil) w.delegate = table_->forwarder(std::move(delegate), w.delegate);
}

platform::TrackingArea AppKitWindows::createTrackingArea(const platform::Rect& rect, std::uint32_t options,
                                                         std::weak_ptr<platform::Responder> owner) {
  const NSRect r = NSMakeRect(rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  NSTrackingArea* area = [[NSTrackingArea alloc] initWithRect:r
                                                      options:static_cast<NSTrackingAreaOptions>(options)
                                                        owner:table_->forwarder(std::move(owner))
                                                     userInfo:nil];
  return platform::TrackingArea(std::make_shared<const AppKitTrackingArea>(area));
}

void AppKitWindows::addTrackingArea(const platform::Window& window, const platform::TrackingArea& area) {
  NSView* content = table_->window(window).contentView;
  const auto* a = handleAs<AppKitTrackingArea>(area);
  if (content != nil && a != nullptr && a->area() != nil) [content addTrackingArea:a->area()];
}

}  // namespace axt::macdesk
