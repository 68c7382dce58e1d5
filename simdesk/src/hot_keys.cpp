#include "hot_keys.h"

#include "handles.h"
#include "state.h"

namespace simdesk::detail {

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
    axt::platform::backend::offerHotKeyPress(state().hotKeys.handlersNewestFirst(), id);
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
