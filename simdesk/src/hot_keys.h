// Global hot keys and the application's event handlers.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "platform/backend_handles.h"
#include "platform/platform.h"

namespace simdesk::detail {

using axt::platform::EventHandler;
using axt::platform::EventHotKeyID;
using axt::platform::EventHotKeyRef;
using axt::platform::EventTypeSpec;
using axt::platform::OSStatus;

struct State;

using axt::platform::backend::InstalledHandler;
using axt::platform::backend::kEventHotKeyExistsErr;
using axt::platform::backend::kParamErr;

class HotKeyTable {
 public:
  // The registration's number, or nothing when the combination is taken.
  std::optional<std::uint64_t> add(std::uint32_t code, std::uint32_t modifiers, EventHotKeyID id);
  std::optional<EventHotKeyID> idOf(std::uint32_t code, std::uint32_t modifiers) const;
  void install(InstalledHandler handler) { handlers_.push_back(std::move(handler)); }
  // Newest first, the order in which the event manager offers an event.
  std::vector<InstalledHandler> handlersNewestFirst() const;

 private:
  std::map<std::pair<std::uint32_t, std::uint32_t>, EventHotKeyID> combinations_;
  std::vector<InstalledHandler> handlers_;
  std::uint64_t registered_ = 0;
};

// The user presses a combination: when it is registered, the pressed event
// is queued on the main loop for the application's handlers.
void pressHotKey(State& s, std::uint32_t code, std::uint32_t modifiers);

class HotKeyService final : public axt::platform::HotKeys {
 public:
  OSStatus registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers, EventHotKeyID id,
                          std::uint32_t options, std::optional<EventHotKeyRef>& out) override;
  OSStatus installApplicationEventHandler(EventHandler handler,
                                          std::span<const EventTypeSpec> types,
                                          void* userData) override;
};

}  // namespace simdesk::detail
