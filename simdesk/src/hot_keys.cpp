#include "hot_keys.h"

#include <algorithm>

#include "handles.h"
#include "state.h"

// The event manager's opaque types: what a handler is handed. The library
// only passes them along.
namespace axt::platform {
struct EventHandlerCall {
  std::size_t handlerIndex = 0;
};
struct EventRecord {
  std::uint32_t eventClass = 0;
  std::uint32_t eventKind = 0;
  EventHotKeyID hotKeyId{};
};
}  // namespace axt::platform

namespace simdesk::detail {

bool InstalledHandler::takes(std::uint32_t eventClass, std::uint32_t eventKind) const {
  return std::any_of(types.begin(), types.end(), [&](const EventTypeSpec& t) {
    return t.eventClass == eventClass && t.eventKind == eventKind;
  });
}

std::optional<std::uint64_t> HotKeyTable::add(std::uint32_t code, std::uint32_t modifiers,
                                              EventHotKeyID id) {
  if (!combinations_.emplace(std::pair{code, modifiers}, id).second) return std::nullopt;
  return ++registered_;
}

std::optional<EventHotKeyID> HotKeyTable::idOf(std::uint32_t code, std::uint32_t modifiers) const {
  auto it = combinations_.find({code, modifiers});
  if (it == combinations_.end()) return std::nullopt;
  return it->second;
}

std::vector<InstalledHandler> HotKeyTable::handlersNewestFirst() const {
  return std::vector<InstalledHandler>(handlers_.rbegin(), handlers_.rend());
}

void pressHotKey(State& s, std::uint32_t code, std::uint32_t modifiers) {
  const std::optional<EventHotKeyID> id = s.hotKeys.idOf(code, modifiers);
  if (!id) return;
  s.loop.addMain(s.clock.now(), ItemModes::kAny, [id = *id] {
    axt::platform::EventRecord event{kEventClassKeyboard, kEventHotKeyPressed, id};
    // Taken at dispatch time; a handler may install another one.
    const std::vector<InstalledHandler> handlers = state().hotKeys.handlersNewestFirst();
    for (std::size_t i = 0; i < handlers.size(); ++i) {
      if (!handlers[i].takes(event.eventClass, event.eventKind)) continue;
      axt::platform::EventHandlerCall call{i};
      if (handlers[i].handler(&call, &event, handlers[i].userData) !=
          axt::platform::kEventNotHandledErr) {
        break;
      }
    }
  });
  // A release is a separate event that no handler here asks for.
}

OSStatus HotKeyService::registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                       EventHotKeyID id, std::uint32_t /*options*/,
                                       std::optional<EventHotKeyRef>& out) {
  State& s = state();
  const std::optional<std::uint64_t> number = s.hotKeys.add(keyCode, modifiers, id);
  if (!number) return kEventHotKeyExistsErr;
  out = EventHotKeyRef(std::make_shared<HotKeyHandle>(s.generation, *number));
  return axt::platform::kNoErr;
}

OSStatus HotKeyService::installApplicationEventHandler(EventHandler handler,
                                                       std::span<const EventTypeSpec> types,
                                                       void* userData) {
  if (handler == nullptr) return kParamErr;
  state().hotKeys.install(
      InstalledHandler{handler, std::vector<EventTypeSpec>(types.begin(), types.end()), userData});
  return axt::platform::kNoErr;
}

}  // namespace simdesk::detail
