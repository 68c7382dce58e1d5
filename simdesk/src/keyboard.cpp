#include "keyboard.h"

#include "handles.h"
#include "state.h"

namespace simdesk::detail {

void handleKeyInFrontmostApp(State& s, const PostedKey& key) {
  const bool paste = key.code == kKeyCodeV && key.down && (key.flags & kCommandFlag) != 0;
  if (!paste || !s.apps.frontmost) return;
  const SimApp* app = s.apps.app(*s.apps.frontmost);
  if (app == nullptr || !app->running() || !app->keys || !app->focused) return;
  SimElement* e = s.apps.elementOf(app->record->pid, *app->focused);
  if (e == nullptr || !e->isText() || !e->editable) return;
  const std::optional<std::string> clip =
      s.pasteboard.stringForType(axt::platform::kPasteboardTypeString);
  if (!clip) return;

  replaceSelection(*e, *clip);
  postAccessibilityNotification(s, e->pid, e->id, "AXSelectedTextChanged");
}

std::optional<EventSource> KeyboardService::createEventSource(std::int32_t stateId) {
  return EventSource(std::make_shared<EventSourceHandle>(stateId));
}

std::optional<KeyEvent> KeyboardService::createKeyboardEvent(
    const std::optional<EventSource>& /*source*/, std::uint16_t keyCode, bool keyDown) {
  return KeyEvent(std::make_shared<KeyEventHandle>(keyCode, keyDown));
}

void KeyboardService::setFlags(const KeyEvent& event, std::uint64_t flags) {
  if (const auto* e = handleAs<KeyEventHandle>(event)) e->setFlags(flags);
}

bool KeyboardService::reachesFocusedApplication() {
  const State& s = state();
  if (!s.apps.frontmost) return true;
  const SimApp* app = s.apps.app(*s.apps.frontmost);
  return app == nullptr || app->keys;
}

void KeyboardService::post(std::uint32_t /*tap*/, const KeyEvent& event) {
  const auto* e = handleAs<KeyEventHandle>(event);
  if (e == nullptr) return;
  State& s = state();
  const PostedKey key{e->code(), e->down(), e->flags()};
  s.keys.record(key);
  // Which application gets the key is decided when it is handled, not now.
  s.loop.addWorld(s.clock.now() + kKeyHandlingDelay, [key] { handleKeyInFrontmostApp(state(), key); });
}

}  // namespace simdesk::detail
