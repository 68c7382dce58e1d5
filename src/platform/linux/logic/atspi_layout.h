// Whether the libatspi the host loaded lays out its objects as the backend
// reads and writes them. The application objects' fields are declared in
// libatspi's headers but belong to libatspi: reconnecting after the
// accessibility bus was replaced fills emptied ones again
// (application_revival.h), and a libatspi laid out otherwise would have its
// heap corrupted, silently, inside the host. That is done only with a
// libatspi whose layout was checked against the one compiled in: 2.46 and
// 2.56, identical for AtspiObject, AtspiAccessible and AtspiApplication.
// Releases from 2.56 on say their version (atspi_get_version, looked up
// at run time: the headers built with may predate it); older ones don't, and are taken for 2.46 when GObject's sizes of the three types are
// those compiled in. Any other libatspi isn't revived (atspi_session.h).
#pragma once

#include <cstddef>
#include <optional>

namespace axt::lindesk {

struct LibatspiVersion {
  int major = 0;
  int minor = 0;
};

// What the running libatspi tells of itself, through public calls only.
struct LibatspiFacts {
  std::optional<LibatspiVersion> version;  // absent before atspi_get_version existed
  std::size_t objectSize = 0;              // GObject's instance sizes of its types
  std::size_t accessibleSize = 0;
  std::size_t applicationSize = 0;
};

// The sizes of the layout compiled in.
LibatspiFacts compiledLayout();

// Whether `running` is a libatspi with the layout checked.
bool layoutVerified(const LibatspiFacts& running);

// The facts of the libatspi in this process.
LibatspiFacts runningLibatspi();

}  // namespace axt::lindesk
