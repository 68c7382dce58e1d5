#include "keyboard.h"

#include <CoreGraphics/CoreGraphics.h>

#include <memory>

#include "handles.h"

namespace axt::macdesk {

namespace {

CGEventRef eventOf(const platform::KeyEvent& event) {
  const auto* h = handleAs<KeyEventHandle>(event);
  return h != nullptr ? h->get() : nullptr;
}

}  // namespace

std::optional<platform::EventSource> CGKeyboard::createEventSource(std::int32_t stateId) {
  auto source = CFRef<CGEventSourceRef>::adopt(CGEventSourceCreate(static_cast<CGEventSourceStateID>(stateId)));
  if (!source) return std::nullopt;
  return platform::EventSource(std::make_shared<const EventSourceHandle>(std::move(source)));
}

std::optional<platform::KeyEvent> CGKeyboard::createKeyboardEvent(const std::optional<platform::EventSource>& source,
                                                                  std::uint16_t keyCode, bool keyDown) {
  // Without a source the event is made from none, as the system allows.
  const EventSourceHandle* s = source ? handleAs<EventSourceHandle>(*source) : nullptr;
  auto event = CFRef<CGEventRef>::adopt(
      CGEventCreateKeyboardEvent(s != nullptr ? s->get() : nullptr, static_cast<CGKeyCode>(keyCode), keyDown));
  if (!event) return std::nullopt;
  return platform::KeyEvent(std::make_shared<const KeyEventHandle>(std::move(event)));
}

void CGKeyboard::setFlags(const platform::KeyEvent& event, std::uint64_t flags) {
  if (CGEventRef e = eventOf(event)) CGEventSetFlags(e, static_cast<CGEventFlags>(flags));
}

void CGKeyboard::post(std::uint32_t tap, const platform::KeyEvent& event) {
  if (CGEventRef e = eventOf(event)) CGEventPost(static_cast<CGEventTapLocation>(tap), e);
}

}  // namespace axt::macdesk
