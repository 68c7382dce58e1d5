#include <cstdio>

#include "desktop/linux_desktop.h"
#include "glue/never_destroyed.h"

namespace axt::lindesk {

void StdoutLog::writeLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

LinuxDesktop::LinuxDesktop()
    : handling_(readings_),
      runLoop_(handling_),
      x11_(runLoop_),
      atspi_(log_, runLoop_, readings_),
      applicationWindows_(ways_, atspi_),
      applications_(atspi_, applicationWindows_),
      ways_(waysFor(currentSessionEnvironment(), x11_, focus_.grabHoldBack(), runLoop_, readings_)),
      hotKeys_(*ways_.hotKeys),
      keyboard_(*ways_.keyTyping),
      windowStructure_(*ways_.moves, atspi_, applications_, observers_),
      textPlacement_(atspi_, applications_, *ways_.places),
      workspace_(applications_, listeners_, windowStructure_, *ways_.places),
      listeners_({atspi_, readings_, applications_, focus_, observers_, workspace_, runLoop_}),
      accessibility_(*this) {
  atspi_.follow(
      [this] {
        readings_.forget();
        focus_.forgetAll();
        applications_.forgetBusNames();
        listeners_.busLost();
        observers_.connectionGone(atspi_.connectionNumber());
        // Where the session publishes a new bus's address, the bus is
        // tried again as soon as it is there.
        ways_.busAddress->watch([this] { atspi_.retrySoon(); });
      },
      [this] { listeners_.restart(); });
}

}  // namespace axt::lindesk

namespace axt::platform {

Platform& current() {
  // The one owner of the backend's state; nothing opens before it is used.
  // It is never torn down. At the process's exit, letting go of libatspi's
  // application objects (kept for the life of the process, see
  // application_revival.h) has libatspi dispose of each one's objects,
  // and every disposal sends an event to the listeners, which were
  // destroyed first; one application's objects dispose of each other in
  // one recursion, as deep as there are of them, which can overflow the
  // stack. The host's other threads may still be in the library too. The
  // system takes back all of it.
  static lindesk::NeverDestroyed<lindesk::LinuxDesktop> desktop;
  return desktop.get();
}

}  // namespace axt::platform
