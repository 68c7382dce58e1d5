// One window property as the X server hands it, for every X connection of
// the backend.
#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

namespace axt::lindesk {

// One window property as XGetWindowProperty reads it: `length` units of
// four bytes from `offset` units in. Items of format 8 are bytes, those of
// format 32 longs (as Xlib hands them); format 16 is kept in neither.
struct WindowProperty {
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long bytesAfter = 0;
  std::string bytes;
  std::vector<long> longs;
};
// Absent when the request fails or the window has no such property. Traps
// no error: the caller does, where the window may be another client's.
std::optional<WindowProperty> getWindowProperty(Display* d, ::Window w, Atom property, long offset,
                                                long length);

}  // namespace axt::lindesk
