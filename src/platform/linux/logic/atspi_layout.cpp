#include "logic/atspi_layout.h"

#include <atspi/atspi.h>

#include <algorithm>
#include <array>

namespace axt::lindesk {

namespace {

// The releases whose headers were compared with the layout compiled in.
constexpr std::array<LibatspiVersion, 2> kVerified = {{{2, 46}, {2, 56}}};

}  // namespace

LibatspiFacts compiledLayout() {
  return LibatspiFacts{std::nullopt, sizeof(AtspiObject), sizeof(AtspiAccessible), sizeof(AtspiApplication)};
}

bool layoutVerified(const LibatspiFacts& running) {
  const LibatspiFacts compiled = compiledLayout();
  if (running.objectSize != compiled.objectSize || running.accessibleSize != compiled.accessibleSize ||
      running.applicationSize != compiled.applicationSize) {
    return false;
  }
  // Silent about its version: older than the release that added the call,
  // so 2.46 when its sizes are those of 2.46.
  if (!running.version) return true;
  return std::any_of(kVerified.begin(), kVerified.end(), [&](const LibatspiVersion& v) {
    return v.major == running.version->major && v.minor == running.version->minor;
  });
}

}  // namespace axt::lindesk
