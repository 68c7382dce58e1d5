#include "logic/window_place.h"

#include <algorithm>

namespace axt::lindesk {

platform::Point contentOrigin(const XWindowPlace& place, const platform::Size& content) {
  double left = (place.xWindow.size.width - content.width) / 2;
  double top = (place.xWindow.size.height - content.height) / 2;
  if (place.frame.size() == 4) {
    left = static_cast<double>(place.frame[0]);
    top = static_cast<double>(place.frame[2]);
  }
  return {place.xWindow.origin.x + std::max(0.0, left), place.xWindow.origin.y + std::max(0.0, top)};
}

std::optional<XWindowPlace> windowHolding(const std::vector<XWindowPlace>& windows, const platform::Size& content) {
  std::optional<XWindowPlace> best;
  for (const XWindowPlace& w : windows) {
    if (w.xWindow.size.width < content.width || w.xWindow.size.height < content.height) continue;
    const double area = w.xWindow.size.width * w.xWindow.size.height;
    if (!best || area < best->xWindow.size.width * best->xWindow.size.height) best = w;
  }
  return best;
}

platform::Point surfaceInset(const platform::Size& content, const platform::Size& surface) {
  // A shadow is a few tens of pixels wide; more is another window's size.
  constexpr double kWidestShadow = 64;
  const double wider = surface.width - content.width;
  const double taller = surface.height - content.height;
  if (wider <= 0 || wider != taller || wider > 2 * kWidestShadow) return {0, 0};
  return {wider / 2, taller / 2};
}

}  // namespace axt::lindesk
