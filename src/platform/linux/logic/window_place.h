// Where a toolkit's window content is on the screen, from the X window
// that holds it (window_relative_extents.h).
#pragma once

#include <optional>
#include <vector>

#include "platform/values.h"

namespace axt::lindesk {

// Where a window's content starts on the screen, from the X window that
// holds it and the window's size as the toolkit gives it (its own extents,
// relative to itself). A toolkit that draws its own frame and shadow puts
// the content inside the X window by the frame's extents
// (_GTK_FRAME_EXTENTS: left, right, top, bottom); without them, by equal
// margins.
struct XWindowPlace {
  platform::Rect xWindow;      // the X window, on the screen
  std::vector<long> frame;     // _GTK_FRAME_EXTENTS, empty when absent
};
platform::Point contentOrigin(const XWindowPlace& place, const platform::Size& content);

// Of the X windows of the application (on the screen, with their frame
// extents), the one that holds content of the size given: the smallest
// that is at least as large.
std::optional<XWindowPlace> windowHolding(const std::vector<XWindowPlace>& windows,
                                          const platform::Size& content);

// Where a window's content starts within the surface its toolkit measures
// from, when the compositor tells only the content (a Wayland window's
// geometry): a toolkit whose surface is larger than the content by the
// same margin on both axes (Chromium's, which keeps room for a shadow)
// has it on every side; otherwise the surface is taken to start at the
// content (GTK and Qt when tiled, and whatever a stale or odd size
// says). `surface` is the toolkit's own size of its top-level window.
platform::Point surfaceInset(const platform::Size& content, const platform::Size& surface);

}  // namespace axt::lindesk
