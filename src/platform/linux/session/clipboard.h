// The session's clipboard, the general pasteboard. A session without one
// reads nothing, refuses every write, and still counts the clears the
// library makes, as changes it made.
#pragma once

#include "platform/platform.h"

namespace axt::lindesk {

class SessionClipboard : public platform::Pasteboard {};

}  // namespace axt::lindesk
