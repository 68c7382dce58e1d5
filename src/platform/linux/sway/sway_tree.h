// The windows in the compositor's tree (its answer to GET_TREE): which
// process each belongs to, whether it is an X11 one (under XWayland) or a
// native Wayland client's, and the application id a native one gives
// itself (xdg-shell's app_id), which is what names a native application
// where no X11 property exists, and where each window's content is on the
// screen, which a native client is never told.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/values.h"

namespace axt::lindesk {

struct SwayWindow {
  platform::Pid pid = 0;
  bool x11 = false;   // an XWayland window: the X server knows it
  std::string appId;  // a native window's; empty when it gives none
  bool focused = false;
  std::string title;
  // The window's content on the screen (the container's place plus the
  // window's within it, borders and title bar left out); empty when the
  // tree gives none.
  platform::Rect content;
};

// Every window of the tree, in the tree's order, floating ones included;
// nothing for a reply that isn't a tree.
std::vector<SwayWindow> swayWindows(std::string_view tree);

}  // namespace axt::lindesk
