// Synthesised keyboard events: event sources and key events stand for the
// desktop's own (objects in their own right, each equal only to itself),
// which record what is posted.
#include <CoreGraphics/CoreGraphics.h>

#include <optional>

#include "seam_object.h"
#include "simdesk/desktop.h"

namespace simdesk::macos {
namespace {

namespace platform = axt::platform;

constexpr char kSourceName[] = "CGEventSource";
constexpr char kEventName[] = "CGEvent";
using SourceObject = SeamObject<platform::EventSource, kSourceName>;
using EventObject = SeamObject<platform::KeyEvent, kEventName>;

platform::Keyboard& desktop() { return simdesk::seam().keyboard(); }

}  // namespace
}  // namespace simdesk::macos

using namespace simdesk::macos;

extern "C" {

CFTypeID CGEventSourceGetTypeID(void) { return SourceObject::typeId(); }

CFTypeID CGEventGetTypeID(void) { return EventObject::typeId(); }

CGEventSourceRef CGEventSourceCreate(CGEventSourceStateID state) {
  auto made = desktop().createEventSource(static_cast<std::int32_t>(state));
  if (!made) return nullptr;
  return refOf<CGEventSourceRef>(keep(std::make_unique<SourceObject>(std::move(*made))));
}

CGEventRef CGEventCreateKeyboardEvent(CGEventSourceRef source, CGKeyCode key, bool keyDown) {
  std::optional<platform::EventSource> from;
  if (source != nullptr) from = as<SourceObject>(source, "CGEventCreateKeyboardEvent").ref();
  auto made = desktop().createKeyboardEvent(from, key, keyDown);
  if (!made) return nullptr;
  return refOf<CGEventRef>(keep(std::make_unique<EventObject>(std::move(*made))));
}

void CGEventSetFlags(CGEventRef event, CGEventFlags flags) {
  desktop().setFlags(as<EventObject>(event, "CGEventSetFlags").ref(), flags);
}

void CGEventPost(CGEventTapLocation tap, CGEventRef event) {
  desktop().post(static_cast<std::uint32_t>(tap), as<EventObject>(event, "CGEventPost").ref());
}

}  // extern "C"
