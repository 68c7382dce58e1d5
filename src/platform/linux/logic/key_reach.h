// Whom the keys the library types can reach. XTEST's events go to the X
// server's input focus and nowhere else. On an X server of its own (an X11
// session) every application is an X client, and the focus is always one
// of theirs or the root's. On a Wayland compositor's X server (XWayland)
// only the applications that run under XWayland are X clients: when the
// compositor gives the focus to a native Wayland application, the X focus
// goes to nothing, or to a window of the compositor's own, and typed keys
// reach nobody. Until there is a Wayland way to type, an application is
// reachable only when it has an X window; there, the keys reach the
// focused application only while the X focus lies in an application's
// window.
#pragma once

#include <X11/X.h>

#include <functional>
#include <optional>

namespace axt::lindesk {

// Where the X server's input focus lies.
enum class XFocus {
  kNone,         // nothing has it: keys are thrown away
  kPointerRoot,  // whatever lies under the pointer has it
  kApplication,  // a window of an application (one the window manager manages), or inside one
  kOther,        // the root, a window manager's or compositor's own window, or one that is gone
};

// Classifies the focus window by walking up from it toward the root: it
// lies in an application's window when it or one of its ancestors is one
// (`isApplicationWindow`: the window manager has given it a WM_STATE).
// `parentOf` is absent for a window that is gone.
XFocus classifyXFocus(::Window focus, ::Window root, const std::function<std::optional<::Window>(::Window)>& parentOf,
                      const std::function<bool(::Window)>& isApplicationWindow);

// Whether keys posted now reach the application that has the focus.
// `xwayland`: the X server is a Wayland compositor's.
bool keysReachFocus(bool xwayland, XFocus focus);

}  // namespace axt::lindesk
