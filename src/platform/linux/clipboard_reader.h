// Reading the X clipboard from whoever owns it: the targets it offers, then
// each target's data, in pieces (INCR) when the owner sends it so. Every
// wait has a time limit: an owner that hangs costs a bounded delay, and the
// targets it didn't deliver are left out.
#pragma once

#include <vector>

#include "clipboard_connection.h"
#include "platform/platform.h"

namespace axt::lindesk {

struct ReadLimits {
  // The longest wait for any one reply (a conversion, a piece).
  double replySeconds = 0.5;
  // The longest a whole read may take.
  double totalSeconds = 3.0;
};

// The clipboard's content as one item with a type per target (nothing for
// an empty clipboard). Targets of the transfer itself (TARGETS, MULTIPLE,
// ...) and data that isn't in 8-bit units are not content and are left out.
std::vector<platform::PasteboardItem> readClipboard(ClipboardConnection& connection, ReadLimits limits = {});

}  // namespace axt::lindesk
