#include "x11/window_geometry.h"

#include "x11/error_traps.h"
#include "x11/x11_display.h"
#include "x11/x_resources.h"

namespace axt::lindesk {

std::optional<XWindowAttributes> WindowGeometry::attributes(::Window window) {
  Display* d = x11_.display();
  if (d == nullptr) return std::nullopt;
  XWindowAttributes a;
  XErrorTrap trap(x11_.traps(), d);
  const Status ok = XGetWindowAttributes(d, window, &a);
  if (trap.failed() || ok == 0) return std::nullopt;
  return a;
}

bool WindowGeometry::isViewable(::Window window) {
  const std::optional<XWindowAttributes> a = attributes(window);
  return a && a->map_state == IsViewable;
}

std::optional<platform::Rect> WindowGeometry::frame(::Window window) {
  const std::optional<XWindowAttributes> a = attributes(window);
  if (!a) return std::nullopt;
  Display* d = x11_.display();
  int x = 0;
  int y = 0;
  ::Window child = 0;
  XErrorTrap trap(x11_.traps(), d);
  XTranslateCoordinates(d, window, a->root, 0, 0, &x, &y, &child);
  if (trap.failed()) return std::nullopt;
  return platform::Rect{{static_cast<double>(x), static_cast<double>(y)},
                        {static_cast<double>(a->width), static_cast<double>(a->height)}};
}

std::vector<::Window> WindowGeometry::children(::Window window) {
  Display* d = x11_.display();
  if (d == nullptr) return {};
  ::Window root = 0;
  ::Window parent = 0;
  ::Window* list = nullptr;
  unsigned int n = 0;
  XErrorTrap trap(x11_.traps(), d);
  const Status ok = XQueryTree(d, window, &root, &parent, &list, &n);
  const XPtr<::Window> owned(list);
  if (trap.failed() || ok == 0 || list == nullptr) return {};
  return std::vector<::Window>(list, list + n);  // bottom to top
}

}  // namespace axt::lindesk
