#include "running_application.h"

#include "workspace.h"

namespace simdesk::detail {

// The options (hide others, all windows) change nothing on this desktop.
bool RunningAppObject::activate(std::uint32_t /*options*/) { return activateRecord(record_); }

}  // namespace simdesk::detail
