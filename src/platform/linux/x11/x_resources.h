// Owners for what Xlib allocates: what XFree releases, and a connection.
#pragma once

#include <X11/Xlib.h>

#include <memory>

namespace axt::lindesk {

struct XFreeDeleter {
  void operator()(void* p) const {
    if (p != nullptr) XFree(p);
  }
};
template <class T>
using XPtr = std::unique_ptr<T, XFreeDeleter>;

struct DisplayCloser {
  void operator()(Display* d) const {
    if (d != nullptr) XCloseDisplay(d);
  }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

}  // namespace axt::lindesk
