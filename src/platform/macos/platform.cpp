#include <cstdio>

#include "mac_desktop.h"

namespace axt::macdesk {

void StdoutLog::writeLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace axt::macdesk

namespace axt::platform {

Platform& current() {
  // The one owner of the backend's state; nothing is asked of the system
  // before it is used.
  static macdesk::MacDesktop desktop;
  return desktop;
}

}  // namespace axt::platform
