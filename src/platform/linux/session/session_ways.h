// The ways of the session the library runs in (session_kind.h), chosen
// when the desktop is made: one library serves every kind of session. The
// composition owns them and hands them out by their interfaces.
#pragma once

#include <memory>

#include "session/bus_address_watch.h"
#include "session/clipboard.h"
#include "session/host_windows.h"
#include "session/hot_keys.h"
#include "session/key_typing.h"
#include "session/window_activation.h"
#include "session/window_moves.h"
#include "session/window_places.h"

namespace axt::lindesk {

struct SessionWays {
  std::unique_ptr<SessionHotKeys> hotKeys;
  std::unique_ptr<SessionKeyTyping> keyTyping;
  std::unique_ptr<WindowActivation> activation;
  std::unique_ptr<WindowPlaces> places;
  std::unique_ptr<WindowMoves> moves;
  std::unique_ptr<SessionClipboard> clipboard;
  std::unique_ptr<SessionHostWindows> hostWindows;
  std::unique_ptr<BusAddressWatch> busAddress;
};

}  // namespace axt::lindesk
