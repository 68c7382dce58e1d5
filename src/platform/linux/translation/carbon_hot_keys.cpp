#include "translation/carbon_hot_keys.h"

#include <memory>

#include "platform/backend_handles.h"
#include "translation/hot_key_mapping.h"

namespace axt::lindesk {

platform::OSStatus CarbonHotKeys::registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                                 platform::EventHotKeyID id, std::uint32_t /*options*/,
                                                 std::optional<platform::EventHotKeyRef>& out) {
  const std::optional<KeyCombination> keys = translateHotKey(keyCode, modifiers);
  if (!keys) return platform::backend::kEventHotKeyInvalidErr;
  switch (session_.grab(*keys, [this, id] { handlers_.offerHotKeyPress(id); })) {
    case GrabOutcome::kGrabbed:
      out = platform::EventHotKeyRef(std::make_shared<platform::backend::HotKeyHandle>(++registered_));
      return platform::kNoErr;
    case GrabOutcome::kTaken:
      return platform::backend::kEventHotKeyExistsErr;
    case GrabOutcome::kUnavailable:
      break;
  }
  return platform::backend::kEventHotKeyInvalidErr;
}

platform::OSStatus CarbonHotKeys::installApplicationEventHandler(platform::EventHandler handler,
                                                                 std::span<const platform::EventTypeSpec> types,
                                                                 void* userData) {
  return handlers_.install(handler, types, userData);
}

}  // namespace axt::lindesk
