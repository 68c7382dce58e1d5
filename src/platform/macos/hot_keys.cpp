#include "hot_keys.h"

#include <memory>

#include "c_callback.h"
#include "handles.h"

namespace axt::macdesk {

OSStatus CarbonHotKeys::onEvent(EventHandlerCallRef /*call*/, EventRef event, void* userData) {
  return callFromC(static_cast<OSStatus>(eventNotHandledErr), [&]() -> OSStatus {
    const auto* installed = static_cast<const Installed*>(userData);
    if (installed == nullptr || installed->handler == nullptr || event == nullptr) return eventNotHandledErr;
    platform::EventRecord record;
    record.eventClass = GetEventClass(event);
    record.eventKind = GetEventKind(event);
    if (record.eventClass == kEventClassKeyboard &&
        (record.eventKind == kEventHotKeyPressed || record.eventKind == kEventHotKeyReleased)) {
      ::EventHotKeyID id{};
      if (GetEventParameter(event, kEventParamDirectObject, typeEventHotKeyID, nullptr, sizeof id, nullptr, &id) ==
          noErr) {
        record.hotKeyId = platform::EventHotKeyID{id.signature, id.id};
      }
    }
    platform::EventHandlerCall call{installed->index};
    return installed->handler(&call, &record, installed->userData);
  });
}

platform::OSStatus CarbonHotKeys::registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                                 platform::EventHotKeyID id, std::uint32_t options,
                                                 std::optional<platform::EventHotKeyRef>& out) {
  ::EventHotKeyRef ref = nullptr;
  const OSStatus status = RegisterEventHotKey(keyCode, modifiers, ::EventHotKeyID{id.signature, id.id},
                                              GetApplicationEventTarget(), options, &ref);
  if (status != noErr || ref == nullptr) return status;
  hotKeys_.push_back(ref);
  out = platform::EventHotKeyRef(std::make_shared<const HotKeyHandle>(hotKeys_.size()));
  return status;
}

platform::OSStatus CarbonHotKeys::installApplicationEventHandler(platform::EventHandler handler,
                                                                 std::span<const platform::EventTypeSpec> types,
                                                                 void* userData) {
  if (handler == nullptr) return platform::backend::kParamErr;
  std::vector<::EventTypeSpec> eventTypes;
  eventTypes.reserve(types.size());
  for (const platform::EventTypeSpec& t : types) eventTypes.push_back(::EventTypeSpec{t.eventClass, t.eventKind});
  handlers_.push_back(Installed{handlers_.size(), handler, userData});
  const OSStatus status = InstallEventHandler(GetApplicationEventTarget(), NewEventHandlerUPP(&CarbonHotKeys::onEvent),
                                              eventTypes.size(), eventTypes.data(), &handlers_.back(), nullptr);
  // Not installed: the event manager holds no reference to the record.
  if (status != noErr) handlers_.pop_back();
  return status;
}

}  // namespace axt::macdesk
