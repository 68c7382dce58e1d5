#include "desktop/session_choice.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "clipboard/x11_clipboard.h"
#include "session/no_session.h"
#include "x11/host_windows.h"
#include "x11/x11_bus_address_watch.h"
#include "x11/hot_keys.h"
#include "x11/x11_display.h"
#include "x11/x11_window_activation.h"
#include "x11/x11_window_moves.h"
#include "x11/x11_window_places.h"
#include "x11/xtest_keyboard.h"

namespace axt::lindesk {

namespace {

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

}  // namespace

SessionEnvironment currentSessionEnvironment() {
  return SessionEnvironment{variable("XDG_SESSION_TYPE"), variable("WAYLAND_DISPLAY"), variable("DISPLAY")};
}

SessionWays waysOf(SessionKind kind, X11Display& x11, GrabHoldBack& holdBack, GlibRunLoop& runLoop,
                   HandlingCache& readings) {
  if (kind == SessionKind::kNone) return noSessionWays();
  SessionWays ways;
  ways.hotKeys = std::make_unique<X11HotKeys>(x11, holdBack, runLoop);
  ways.keyTyping = std::make_unique<XTestKeyboard>(x11, readings);
  ways.activation = std::make_unique<X11WindowActivation>(x11);
  ways.places = std::make_unique<X11WindowPlaces>(x11);
  ways.moves = std::make_unique<X11WindowMoves>(x11);
  ways.clipboard = std::make_unique<X11Clipboard>(runLoop, x11.traps());
  ways.hostWindows = std::make_unique<X11HostWindows>(x11, runLoop);
  ways.busAddress = std::make_unique<X11BusAddressWatch>(x11);
  return ways;
}

}  // namespace axt::lindesk
