// The event manager's hot keys and application event handlers. A handler is
// handed the desktop's own event record as its event and call: the library
// only passes them back to the functions below.
#include <Carbon/Carbon.h>

#include <cstring>
#include <deque>
#include <optional>
#include <vector>

#include "cf_object.h"
#include "platform/backend_handles.h"
#include "simdesk/desktop.h"

namespace simdesk::macos {
namespace {

namespace platform = axt::platform;

struct Target {};
Target applicationTarget;

struct HotKey {
  platform::EventHotKeyRef ref;
};

struct Handler {
  EventHandlerUPP upp = nullptr;
  void* userData = nullptr;
};

// The event manager's records live as long as the process: it keeps no
// reference counts.
struct Tables {
  std::deque<HotKey> hotKeys;
  std::deque<Handler> handlers;
};

Tables& tables() {
  static Tables* t = new Tables;
  return *t;
}

platform::HotKeys& desktop() { return simdesk::seam().hotKeys(); }

const platform::EventRecord& recordOf(EventRef event, const char* function) {
  if (event == nullptr) misuse(function, "is handed no event");
  return *reinterpret_cast<const platform::EventRecord*>(event);
}

platform::OSStatus deliver(platform::EventHandlerCall* call, platform::EventRecord* event, void* userData) {
  const auto* h = static_cast<const Handler*>(userData);
  return h->upp(reinterpret_cast<EventHandlerCallRef>(call), reinterpret_cast<EventRef>(event), h->userData);
}

void checkTarget(EventTargetRef target, const char* function) {
  if (target != reinterpret_cast<EventTargetRef>(&applicationTarget)) {
    misuse(function, "is handed a target other than the application's");
  }
}

}  // namespace
}  // namespace simdesk::macos

using namespace simdesk::macos;

extern "C" {

EventTargetRef GetApplicationEventTarget(void) { return reinterpret_cast<EventTargetRef>(&applicationTarget); }

OSType GetEventClass(EventRef event) { return recordOf(event, "GetEventClass").eventClass; }

UInt32 GetEventKind(EventRef event) { return recordOf(event, "GetEventKind").eventKind; }

OSStatus GetEventParameter(EventRef event, EventParamName name, EventParamType desiredType,
                           EventParamType* actualType, ByteCount bufferSize, ByteCount* actualSize,
                           void* data) {
  const platform::EventRecord& r = recordOf(event, "GetEventParameter");
  // A hot-key event's one parameter: the identifier it was registered with.
  const bool hotKeyEvent = r.eventClass == kEventClassKeyboard &&
                           (r.eventKind == kEventHotKeyPressed || r.eventKind == kEventHotKeyReleased);
  if (!hotKeyEvent || name != kEventParamDirectObject) return eventParameterNotFoundErr;
  if (desiredType != typeEventHotKeyID) return eventParameterNotFoundErr;
  const EventHotKeyID id{r.hotKeyId.signature, r.hotKeyId.id};
  if (actualType != nullptr) *actualType = typeEventHotKeyID;
  if (actualSize != nullptr) *actualSize = sizeof id;
  if (data != nullptr) {
    if (bufferSize < sizeof id) misuse("GetEventParameter", "is handed a buffer smaller than the parameter");
    std::memcpy(data, &id, sizeof id);
  }
  return noErr;
}

OSStatus RegisterEventHotKey(UInt32 keyCode, UInt32 modifiers, EventHotKeyID hotKeyID, EventTargetRef target,
                             OptionBits options, EventHotKeyRef* outRef) {
  checkTarget(target, "RegisterEventHotKey");
  if (outRef == nullptr) return axt::platform::backend::kParamErr;
  std::optional<platform::EventHotKeyRef> made;
  const OSStatus status = desktop().registerHotKey(
      keyCode, modifiers, platform::EventHotKeyID{hotKeyID.signature, hotKeyID.id}, options, made);
  if (status != noErr) return status;
  tables().hotKeys.push_back(HotKey{made ? *made : platform::EventHotKeyRef()});
  *outRef = reinterpret_cast<EventHotKeyRef>(&tables().hotKeys.back());
  return status;
}

OSStatus InstallEventHandler(EventTargetRef target, EventHandlerUPP handler, ItemCount numTypes,
                             const EventTypeSpec* list, void* userData, EventHandlerRef* outRef) {
  checkTarget(target, "InstallEventHandler");
  if (handler == nullptr || (numTypes > 0 && list == nullptr)) return axt::platform::backend::kParamErr;
  std::vector<platform::EventTypeSpec> types;
  for (ItemCount i = 0; i < numTypes; ++i) types.push_back(platform::EventTypeSpec{list[i].eventClass, list[i].eventKind});
  tables().handlers.push_back(Handler{handler, userData});
  Handler* h = &tables().handlers.back();
  const OSStatus status = desktop().installApplicationEventHandler(&deliver, types, h);
  if (status != noErr) {
    tables().handlers.pop_back();
    return status;
  }
  if (outRef != nullptr) *outRef = reinterpret_cast<EventHandlerRef>(h);
  return status;
}

}  // extern "C"
