// The toolkit's application id of a process (_GTK_APPLICATION_ID on its
// top-level windows; application_id.h says which of them counts),
// remembered while the process has windows the window manager manages.
#pragma once

#include <optional>
#include <string>

#include "platform/values.h"

namespace axt::lindesk {

class X11Display;

class ApplicationIds {
 public:
  explicit ApplicationIds(X11Display& x11) : x11_(x11) {}

  // Empty when the process has visible windows and none carries one,
  // absent while it shows none.
  std::optional<std::string> of(platform::Pid pid);

 private:
  X11Display& x11_;
};

}  // namespace axt::lindesk
