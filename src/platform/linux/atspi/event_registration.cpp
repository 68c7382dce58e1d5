#include "atspi/event_registration.h"

#include <array>

namespace axt::lindesk {

namespace {

constexpr std::array<const char*, 11> kEventTypes = {
    "object:state-changed:focused", "object:state-changed:active", "object:text-caret-moved",
    "object:text-selection-changed", "window:activate",           "window:move",
    "window:resize",                 "object:children-changed:add", kRoleChangedEvent.data(),
    kDefunctEvent.data(),            kChildRemovedEvent.data(),
};

}  // namespace

void EventRegistration::start(AtspiEventListenerCB callback, void* data) {
  if (listener_) return;
  listener_ = GRef<AtspiEventListener>::adopt(atspi_event_listener_new(callback, data, nullptr));
  for (const char* type : kEventTypes) {
    GErrorHolder error;
    atspi_event_listener_register(listener_.get(), type, error.out());
  }
}

void EventRegistration::renew() {
  for (const char* type : kEventTypes) {
    GErrorHolder dropped;
    atspi_event_listener_deregister(listener_.get(), type, dropped.out());
    GErrorHolder error;
    atspi_event_listener_register(listener_.get(), type, error.out());
  }
}

}  // namespace axt::lindesk
