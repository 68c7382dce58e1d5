// The host's own windows, the tracking areas on their content views and
// the mouse pointer moving over them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend_handles.h"
#include "platform/platform.h"
#include "simdesk/desktop.h"

namespace simdesk::detail {

using axt::platform::Responder;
using axt::platform::TrackingArea;
using axt::platform::Window;

struct State;
using axt::platform::backend::TrackingAreaHandle;

inline constexpr std::uint32_t kTrackingEnteredAndExited = 0x1;
inline constexpr std::uint32_t kTrackingActiveAlways = 0x80;
inline constexpr std::uint32_t kTrackingAssumeInside = 0x100;
inline constexpr std::uint32_t kTrackingInVisibleRect = 0x200;

// What the host holds as the window's object. Only its address matters.
struct WindowToken {
  std::uint64_t number = 0;
};

struct HostWindow {
  std::uint64_t number = 0;  // 1, 2, ... in the order the windows were added
  std::string id;
  Rect frame{};
  bool contentView = true;
  std::weak_ptr<Responder> delegate;
  std::unique_ptr<WindowToken> token;
};

struct InstalledArea {
  std::uint64_t window = 0;
  std::shared_ptr<const TrackingAreaHandle> area;
  bool inside = false;
};

class WindowTable {
 public:
  // A window added again under its id keeps its object and areas and takes
  // the new frame and content view.
  void add(const HostWindowSpec& given);
  HostWindow* byId(const std::string& id);
  HostWindow* byNumber(std::uint64_t number);
  // Looks the pointer up; never follows it.
  HostWindow* byObject(const void* object);

  // Installs the area on the window's content view.
  void install(HostWindow& window, std::shared_ptr<const TrackingAreaHandle> area);
  std::vector<InstalledArea>& areas() { return areas_; }

  std::optional<Point> pointer;  // absent: outside every window

 private:
  std::vector<std::unique_ptr<HostWindow>> windows_;
  std::map<const void*, std::uint64_t> objects_;
  std::vector<InstalledArea> areas_;
};

// The pointer moves to p: every area it enters or leaves reports to its
// owner on the main loop, when the area's options ask for it.
void movePointer(State& s, Point p);

// The stable object that is no window.
void* notAWindow();

class WindowsService final : public axt::platform::Windows {
 public:
  std::optional<Window> windowFromObject(void* object) override;
  std::optional<Rect> contentViewBounds(const Window& window) override;
  void setDelegate(const Window& window, std::weak_ptr<Responder> delegate) override;
  TrackingArea createTrackingArea(const Rect& rect, std::uint32_t options,
                                  std::weak_ptr<Responder> owner) override;
  void addTrackingArea(const Window& window, const TrackingArea& area) override;
};

}  // namespace simdesk::detail
