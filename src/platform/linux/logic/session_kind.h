// Which kind of session the library runs in, read from the environment the
// host was started with, once, when the desktop is made. It says whose ways
// the backend uses for what differs between sessions: the hot key, typing
// keys, activating windows, windows' places, the clipboard, host windows.
#pragma once

#include <string>

namespace axt::lindesk {

enum class SessionKind {
  kX11,       // an X server of its own
  kXWayland,  // a Wayland compositor with its X server reachable: its ways
              // are the X server's, which work there now
  kNone,      // no X server to reach: every way refuses, as X11's do
              // without a server
};

// The variables the choice is made from; empty when unset.
struct SessionEnvironment {
  std::string sessionType;     // XDG_SESSION_TYPE
  std::string waylandDisplay;  // WAYLAND_DISPLAY
  std::string display;         // DISPLAY
  std::string swaySocket;      // SWAYSOCK: sway's IPC, which its children
                               // are given
};

// Without DISPLAY no X server can be opened, whatever else is set. With
// it, the session manager's word decides; without that word (a session
// started by hand), a Wayland compositor's socket says it is one.
SessionKind chooseSession(const SessionEnvironment& environment);

// The compositor's IPC socket the library may ask for what the X server
// can't do for a native Wayland client (activate its window); empty in an
// X11 session, whose ways are the X server's alone, and where the
// compositor offers none.
std::string compositorIpcSocket(SessionKind kind, const SessionEnvironment& environment);

}  // namespace axt::lindesk
