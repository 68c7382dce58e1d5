#include "desktop/session_choice.h"

#include <glib.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "clipboard/x11_clipboard.h"
#include "glue/monotonic_clock.h"
#include "kwin/global_accel.h"
#include "kwin/kwin_hot_keys.h"
#include "kwin/kwin_scripting.h"
#include "kwin/kwin_service.h"
#include "kwin/kwin_window_activation.h"
#include "kwin/kwin_window_places.h"
#include "kwin/script_answers.h"
#include "kwin/shortcut_keeper.h"
#include "session/activation_chain.h"
#include "session/no_session.h"
#include "session/unplaced_windows.h"
#include "session/window_places_chain.h"
#include "sessionbus/bus_application_ids.h"
#include "sway/binding_keeper.h"
#include "sway/sway_hot_keys.h"
#include "sway/sway_ipc.h"
#include "sway/sway_window_activation.h"
#include "sway/sway_window_places.h"
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

std::unique_ptr<WindowActivation> compositorActivation(const std::string& socket) {
  return std::make_unique<SwayWindowActivation>(SwayIpc(SwayIpc::unixSocket(socket)));
}

// The compositor's bindings hear a hot key whichever application has the
// keyboard, a native one included; an X grab hears it only while an X
// window has it, and the compositor sees the key first anyway.
std::unique_ptr<SessionHotKeys> compositorHotKeys(const std::string& socket, GlibRunLoop& runLoop) {
  return std::make_unique<SwayHotKeys>(
      SwayIpc(SwayIpc::unixSocket(socket)), SwayIpc::unixSocket(socket),
      [socket](const std::string& undo) { return startBindingKeeper(socket, undo); }, runLoop);
}

std::unique_ptr<WindowPlaces> compositorPlaces(const std::string& socket, const HandlingCache& readings) {
  return std::make_unique<SwayWindowPlaces>(SwayIpc(SwayIpc::unixSocket(socket)), &readings);
}

// KWin's scripting, where KWin is on the session bus: asked once, when the
// desktop is made, and only in a Wayland session without sway's IPC. The
// activation and the window places share it; the places' answers must
// come from KWin's connection.
struct KWinWays {
  std::shared_ptr<KWinScripting> scripting;
  std::string owner;
};

KWinWays kwinWays() {
  // The scripting's bus first: it holds the shared connection, which the
  // question of the owner then goes through too.
  std::unique_ptr<ScriptingBus> bus = kwinScriptingBus();
  if (!bus) return {};
  std::string owner = kwinOwner();
  if (owner.empty()) return {};
  return {std::make_shared<KWinScripting>(std::move(bus), g_get_user_runtime_dir(),
                                          "axtrack-" + std::to_string(::getpid())),
          std::move(owner)};
}

// KWin runs an ordinary client's scripts, which can activate a native
// window.
std::unique_ptr<WindowActivation> kwinActivation(const KWinWays& kwin) {
  if (!kwin.scripting) return nullptr;
  return std::make_unique<KWinWindowActivation>(kwin.scripting);
}

// KWin's shortcut service hears a hot key whichever application has the
// keyboard, a native one included; an X grab only while an X window has
// it. Null where the service isn't KWin's.
std::unique_ptr<SessionHotKeys> kwinHotKeys(const KWinWays& kwin, GlibRunLoop& runLoop) {
  std::unique_ptr<GlobalAccelBus> accel = kdeGlobalAccel(kwin.owner);
  if (!accel) return nullptr;
  return std::make_unique<KWinHotKeys>(std::move(accel), startShortcutKeeper, runLoop);
}

// A native window's application id where the compositor tells no client
// (mutter, KWin): a GTK application's name on the session bus.
std::unique_ptr<WindowPlaces> busApplicationIds() {
  std::unique_ptr<ApplicationBus> bus = sessionApplicationBus();
  if (!bus) return nullptr;
  return std::make_unique<BusApplicationIds>(std::move(bus), monotonicSeconds);
}

// Where a native window is under KWin, told by a script that answers to an
// object of ours on the session bus.
std::unique_ptr<WindowPlaces> kwinPlaces(const KWinWays& kwin, const HandlingCache& readings) {
  if (!kwin.scripting) return nullptr;
  std::unique_ptr<ScriptAnswers> answers = kwinScriptAnswers(kwin.owner);
  if (!answers) return nullptr;
  return std::make_unique<KWinWindowPlaces>(kwin.scripting, std::move(answers), &readings);
}

// The places of native windows in a Wayland session without sway's IPC,
// after what `chain` holds already: KWin's where it is there, then the
// application ids on the session bus, then the window left relative to
// itself.
std::unique_ptr<WindowPlaces> nativePlaces(std::vector<std::unique_ptr<WindowPlaces>> chain,
                                           const KWinWays& kwin, const HandlingCache& readings) {
  if (std::unique_ptr<WindowPlaces> places = kwinPlaces(kwin, readings)) chain.push_back(std::move(places));
  if (std::unique_ptr<WindowPlaces> ids = busApplicationIds()) chain.push_back(std::move(ids));
  chain.push_back(std::make_unique<UnplacedNativeWindows>());
  return std::make_unique<WindowPlacesChain>(std::move(chain));
}

// The X11 ways stand on `x11`; the hot key tells `holdBack` when its key goes
// down and up, typed keys make `readings` forget what they change. Where
// `compositorSocket` names the compositor's IPC, the hot key is its binding,
// and activation and the application ids fall back on it for windows the X
// server doesn't have; under KWin the hot key is its shortcut service's.
SessionWays waysOf(SessionKind kind, const std::string& compositorSocket, X11Display& x11, GrabHoldBack& holdBack,
                   GlibRunLoop& runLoop, HandlingCache& readings) {
  if (kind == SessionKind::kNone) {
    SessionWays ways = noSessionWays();
    if (!compositorSocket.empty()) {
      ways.activation = compositorActivation(compositorSocket);
      ways.places = compositorPlaces(compositorSocket, readings);
      ways.hotKeys = compositorHotKeys(compositorSocket, runLoop);
    } else {
      const KWinWays kwin = kwinWays();
      ways.places = nativePlaces({}, kwin, readings);
      if (std::unique_ptr<WindowActivation> activation = kwinActivation(kwin)) ways.activation = std::move(activation);
      if (std::unique_ptr<SessionHotKeys> hotKeys = kwinHotKeys(kwin, runLoop)) ways.hotKeys = std::move(hotKeys);
    }
    return ways;
  }
  SessionWays ways;
  const KWinWays kwin = kind == SessionKind::kXWayland && compositorSocket.empty() ? kwinWays() : KWinWays{};
  if (compositorSocket.empty()) {
    ways.hotKeys = kwinHotKeys(kwin, runLoop);
    if (!ways.hotKeys) ways.hotKeys = std::make_unique<X11HotKeys>(x11, holdBack, runLoop);
  } else {
    ways.hotKeys = compositorHotKeys(compositorSocket, runLoop);
  }
  ways.keyTyping = std::make_unique<XTestKeyboard>(x11, readings);
  ways.activation = std::make_unique<X11WindowActivation>(x11);
  if (!compositorSocket.empty()) {
    // A window the X server doesn't have is a native Wayland client's.
    std::vector<std::unique_ptr<WindowActivation>> chain;
    chain.push_back(std::move(ways.activation));
    chain.push_back(compositorActivation(compositorSocket));
    ways.activation = std::make_unique<WindowActivationChain>(std::move(chain));
  } else if (std::unique_ptr<WindowActivation> activation = kwinActivation(kwin)) {
    std::vector<std::unique_ptr<WindowActivation>> chain;
    chain.push_back(std::move(ways.activation));
    chain.push_back(std::move(activation));
    ways.activation = std::make_unique<WindowActivationChain>(std::move(chain));
  }
  ways.places = std::make_unique<X11WindowPlaces>(x11);
  if (!compositorSocket.empty()) {
    std::vector<std::unique_ptr<WindowPlaces>> chain;
    chain.push_back(std::move(ways.places));
    chain.push_back(compositorPlaces(compositorSocket, readings));
    ways.places = std::make_unique<WindowPlacesChain>(std::move(chain));
  } else if (kind == SessionKind::kXWayland) {
    std::vector<std::unique_ptr<WindowPlaces>> chain;
    chain.push_back(std::move(ways.places));
    ways.places = nativePlaces(std::move(chain), kwin, readings);
  }
  ways.moves = std::make_unique<X11WindowMoves>(x11);
  ways.clipboard = std::make_unique<X11Clipboard>(runLoop, x11.traps());
  ways.hostWindows = std::make_unique<X11HostWindows>(x11, runLoop);
  ways.busAddress = std::make_unique<X11BusAddressWatch>(x11);
  return ways;
}

}  // namespace

SessionEnvironment currentSessionEnvironment() {
  return SessionEnvironment{variable("XDG_SESSION_TYPE"), variable("WAYLAND_DISPLAY"), variable("DISPLAY"),
                            variable("SWAYSOCK")};
}

SessionWays waysFor(const SessionEnvironment& environment, X11Display& x11, GrabHoldBack& holdBack,
                    GlibRunLoop& runLoop, HandlingCache& readings) {
  const SessionKind kind = chooseSession(environment);
  return waysOf(kind, compositorIpcSocket(kind, environment), x11, holdBack, runLoop, readings);
}

}  // namespace axt::lindesk
