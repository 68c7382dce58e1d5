// The kind of session read from the environment: no X server to reach
// without DISPLAY, the session manager's word before a compositor's socket;
// the compositor's IPC only in a Wayland session.
#include "logic/session_kind.h"

#include <gtest/gtest.h>

namespace axt::lindesk {
namespace {

SessionKind kindOf(const char* sessionType, const char* waylandDisplay, const char* display) {
  return chooseSession(SessionEnvironment{sessionType, waylandDisplay, display, ""});
}

TEST(SessionKind, WithoutADisplayThereIsNoXServerWhateverElseIsSet) {
  EXPECT_EQ(kindOf("", "", ""), SessionKind::kNone);
  EXPECT_EQ(kindOf("x11", "", ""), SessionKind::kNone);
  // A Wayland compositor without its X server: nothing the library can
  // reach yet.
  EXPECT_EQ(kindOf("wayland", "wayland-0", ""), SessionKind::kNone);
}

TEST(SessionKind, TheSessionManagersWordDecides) {
  EXPECT_EQ(kindOf("x11", "", ":0"), SessionKind::kX11);
  EXPECT_EQ(kindOf("wayland", "wayland-0", ":0"), SessionKind::kXWayland);
  // A compositor nested in an X session leaves its socket in the
  // environment: the session is still X11's.
  EXPECT_EQ(kindOf("x11", "wayland-1", ":0"), SessionKind::kX11);
  // A Wayland session whose socket isn't passed on still has its X server.
  EXPECT_EQ(kindOf("wayland", "", ":1"), SessionKind::kXWayland);
}

TEST(SessionKind, WithoutTheSessionManagersWordTheCompositorsSocketTells) {
  // Started by hand, or by a manager that says "tty" or nothing useful.
  EXPECT_EQ(kindOf("", "", ":0"), SessionKind::kX11);
  EXPECT_EQ(kindOf("tty", "", ":0"), SessionKind::kX11);
  EXPECT_EQ(kindOf("", "wayland-0", ":0"), SessionKind::kXWayland);
  EXPECT_EQ(kindOf("tty", "wayland-0", ":0"), SessionKind::kXWayland);
  // The words are the session manager's, lower case; any other spelling
  // is no word at all.
  EXPECT_EQ(kindOf("X11", "wayland-0", ":0"), SessionKind::kXWayland);
  EXPECT_EQ(kindOf("Wayland", "", ":0"), SessionKind::kX11);
}

TEST(CompositorIpc, OnlyAWaylandSessionAsksTheCompositor) {
  const SessionEnvironment sway{"wayland", "wayland-1", ":0", "/run/user/1000/sway-ipc.sock"};
  EXPECT_EQ(compositorIpcSocket(SessionKind::kXWayland, sway), "/run/user/1000/sway-ipc.sock");
  EXPECT_EQ(compositorIpcSocket(SessionKind::kNone, sway), "/run/user/1000/sway-ipc.sock");
  // An X11 session's ways are the X server's, whatever is left in the
  // environment.
  EXPECT_EQ(compositorIpcSocket(SessionKind::kX11, sway), "");
  EXPECT_EQ(compositorIpcSocket(SessionKind::kXWayland, SessionEnvironment{"wayland", "wayland-0", ":0", ""}), "");
}

}  // namespace
}  // namespace axt::lindesk
