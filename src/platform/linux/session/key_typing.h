// The session's way of typing keys into the focused application, as the
// user's typing would reach it. A session that can't type makes no key
// events and says its keys don't reach the focused application.
#pragma once

#include "platform/platform.h"

namespace axt::lindesk {

class SessionKeyTyping : public platform::Keyboard {};

}  // namespace axt::lindesk
