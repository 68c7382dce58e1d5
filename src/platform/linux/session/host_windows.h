// The host's own windows as the session knows them, and the pointer's
// crossings into and out of them. A session that can't see them finds no
// window for any object.
#pragma once

#include "platform/platform.h"

namespace axt::lindesk {

class SessionHostWindows : public platform::Windows {};

}  // namespace axt::lindesk
