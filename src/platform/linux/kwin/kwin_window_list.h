// KWin's own list of a process's windows, which no client can ask for but
// a script KWin runs can send back: where each one's surface and frame
// are, and whether it is the X server's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/values.h"

namespace axt::lindesk {

struct KWinWindow {
  bool x11 = false;      // an XWayland window, which the X server places
  bool focused = false;  // KWin's active window
  platform::Rect surface;  // the client's buffer: where its coordinates start
  platform::Rect frame;    // its frame: the decoration's, or the content's where the client draws its own
  std::string title;
};

// Where a script's answer goes: a method of an object on the session bus.
struct AnswerAddress {
  std::string busName;  // a unique name, ":1.42"
  std::string path;
  std::string interface;
  std::string method;
};

// The script that sends `address` the shown normal windows and dialogs of
// `pid`, with `token` first, so that a late answer to an earlier run is
// told apart. It speaks both KWin 5's names and KWin 6's. The caller's
// values are all that goes into it, and they are numbers and bus names.
std::string windowListScript(long pid, std::uint64_t token, const AnswerAddress& address);

// The windows of such an answer; a line that isn't one is left out.
std::vector<KWinWindow> kwinWindows(std::string_view answer);

}  // namespace axt::lindesk
