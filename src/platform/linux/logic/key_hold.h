// A held key is one press. While a key is down the X server repeats it:
// with detectable autorepeat (asked for on the library's connection) as
// presses without releases between them, without it as a release and a
// press with the same server time. Either way the repeats are no new press
// of a hot key: only a press after a real release counts again.
//
// Times are the X server's, in milliseconds (an event's `time`), which
// wraps around after about 49 days.
#pragma once

#include <X11/X.h>

#include <cstdint>
#include <map>

namespace axt::lindesk {

class KeyHold {
 public:
  // A key held this long with no repeat nor release seen counts as let go:
  // a release the connection missed (a grab broken by another client)
  // must not silence the key for good. Repeats come many times a second.
  static constexpr std::uint32_t kLongestSilentHoldMs = 2000;

  // A press of `key` at `time`: true when it is a new press, false for a
  // repeat of a key that is held.
  bool pressed(KeyCode key, Time time);
  void released(KeyCode key, Time time);

 private:
  struct State {
    bool heard = false;  // any press or release of the key yet
    bool down = false;
    std::uint32_t lastSeen = 0;  // its last press or release, server time
  };
  std::map<KeyCode, State> keys_;
};

}  // namespace axt::lindesk
