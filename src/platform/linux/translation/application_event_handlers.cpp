#include "translation/application_event_handlers.h"

namespace axt::lindesk {

platform::OSStatus ApplicationEventHandlers::install(platform::EventHandler handler,
                                                     std::span<const platform::EventTypeSpec> types,
                                                     void* userData) {
  if (handler == nullptr) return platform::backend::kParamErr;
  handlers_.push_back(platform::backend::InstalledHandler{
      handler, std::vector<platform::EventTypeSpec>(types.begin(), types.end()), userData});
  return platform::kNoErr;
}

void ApplicationEventHandlers::offerHotKeyPress(platform::EventHotKeyID id) const {
  // A copy taken now: a handler that installs another grows the list.
  platform::backend::offerHotKeyPress(
      std::vector<platform::backend::InstalledHandler>(handlers_.rbegin(), handlers_.rend()), id);
}

}  // namespace axt::lindesk
