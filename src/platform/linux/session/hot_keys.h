// The session's way of a global hot key: a combination that reaches the
// host's handlers whichever application has the keyboard. What the core
// asks of it is the seam's; a session that can't grab the combination
// refuses it as invalid, and keeps the handlers it is given.
#pragma once

#include "platform/platform.h"

namespace axt::lindesk {

class SessionHotKeys : public platform::HotKeys {};

}  // namespace axt::lindesk
