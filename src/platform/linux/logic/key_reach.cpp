#include "logic/key_reach.h"

namespace axt::lindesk {

namespace {
// Deeper than any toolkit nests the window that holds the focus inside its
// top-level window, and than any window manager nests that inside frames;
// a tree that goes on (or loops, as a racing reparent can make it look)
// past this is not an application's.
constexpr int kMaxDepth = 32;
}  // namespace

XFocus classifyXFocus(::Window focus, ::Window root, const std::function<std::optional<::Window>(::Window)>& parentOf,
                      const std::function<bool(::Window)>& isApplicationWindow) {
  if (focus == None) return XFocus::kNone;
  if (focus == PointerRoot) return XFocus::kPointerRoot;
  ::Window w = focus;
  for (int depth = 0; depth < kMaxDepth && w != root && w != None; ++depth) {
    if (isApplicationWindow(w)) return XFocus::kApplication;
    const std::optional<::Window> parent = parentOf(w);
    if (!parent) return XFocus::kOther;
    w = *parent;
  }
  return XFocus::kOther;
}

bool keysReachFocus(bool xwayland, XFocus focus) {
  // In an X11 session the focus is the user's to place, and the keys go
  // where the user's own typing would: as they always have.
  if (!xwayland) return true;
  return focus == XFocus::kApplication;
}

}  // namespace axt::lindesk
