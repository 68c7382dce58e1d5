// Watching the pointer over one of the host's own windows: entering the
// content area sends "mouse_hoverd", leaving it brings the tracked
// application back to the front.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/platform.h"

namespace axt::window {

// Enter and exit only, whether or not the host is active, following the
// content view's visible rectangle.
inline constexpr std::uint32_t kTrackingMouseEnteredAndExited = 0x1;
inline constexpr std::uint32_t kTrackingActiveAlways = 0x80;
inline constexpr std::uint32_t kTrackingInVisibleRect = 0x200;
inline constexpr std::uint32_t kTrackingOptions =
    kTrackingMouseEnteredAndExited | kTrackingActiveAlways | kTrackingInVisibleRect;

class WindowTracker : public platform::Responder,
                      public std::enable_shared_from_this<WindowTracker> {
 public:
  WindowTracker() = default;

  std::optional<platform::TrackingArea> trackingArea;

  virtual void setupTrackingArea(const platform::Window& window);
  void mouseEntered() override;
  void mouseExited() override;
};

// Tracks the window behind the host's object; anything that isn't a window
// is ignored.
void addMouseTracker(void* window);

// The trackers made so far: each lives as long as its window may send it
// events, which is for the rest of the process.
std::size_t liveWindowTrackers();

}  // namespace axt::window
