// The application's event handlers, as Carbon's event manager keeps them:
// the host installs handlers on the application event target, each for the
// event types it names, and a hot key's press is offered to them newest
// first until one handles it. The desktop's own hot key (whatever the
// session grabs it with) only says which registered key was pressed.
#pragma once

#include <span>
#include <vector>

#include "platform/backend_handles.h"
#include "platform/platform.h"

namespace axt::lindesk {

class ApplicationEventHandlers {
 public:
  // kParamErr for a null handler; any other is kept, even one for event
  // types nothing here sends, as the platform keeps it.
  platform::OSStatus install(platform::EventHandler handler, std::span<const platform::EventTypeSpec> types,
                             void* userData);

  // Offers the press of the hot key `id` to the handlers installed now. A
  // handler may install another while it runs: that one hears the next
  // press, not this one.
  void offerHotKeyPress(platform::EventHotKeyID id) const;

 private:
  std::vector<platform::backend::InstalledHandler> handlers_;  // oldest first
};

}  // namespace axt::lindesk
