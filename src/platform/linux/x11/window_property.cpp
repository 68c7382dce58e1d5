#include "x11/window_property.h"

#include "x11/x_resources.h"

namespace axt::lindesk {

std::optional<WindowProperty> getWindowProperty(Display* d, ::Window w, Atom property, long offset,
                                                long length) {
  WindowProperty p;
  unsigned char* raw = nullptr;
  const int status = XGetWindowProperty(d, w, property, offset, length, False, AnyPropertyType, &p.type,
                                        &p.format, &p.items, &p.bytesAfter, &raw);
  const XPtr<unsigned char> owned(raw);
  if (status != Success || p.type == None || raw == nullptr) return std::nullopt;
  if (p.format == 8) {
    p.bytes.assign(reinterpret_cast<const char*>(raw), p.items);
  } else if (p.format == 32) {
    const auto* values = reinterpret_cast<const long*>(raw);
    p.longs.assign(values, values + p.items);
  }
  return p;
}

}  // namespace axt::lindesk
