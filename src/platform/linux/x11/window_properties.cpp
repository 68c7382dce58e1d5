#include "x11/window_properties.h"

#include <utility>

#include "x11/error_traps.h"
#include "x11/x11_display.h"

namespace axt::lindesk {

std::optional<WindowProperty> WindowProperties::read(::Window window, const char* name, long count) {
  Display* d = x11_.display();
  if (d == nullptr) return std::nullopt;
  XErrorTrap trap(x11_.traps(), d);
  std::optional<WindowProperty> p = getWindowProperty(d, window, XInternAtom(d, name, False), 0, count);
  if (trap.failed()) return std::nullopt;
  return p;
}

std::optional<std::string> WindowProperties::text(::Window window, const char* name) {
  std::optional<WindowProperty> p = read(window, name, 4096);
  if (!p || p->format != 8) return std::nullopt;
  return std::move(p->bytes);
}

std::vector<long> WindowProperties::longs(::Window window, const char* name, long count) {
  std::optional<WindowProperty> p = read(window, name, count);
  if (!p || p->format != 32) return {};
  return std::move(p->longs);
}

}  // namespace axt::lindesk
