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

}  // namespace axt::lindesk
