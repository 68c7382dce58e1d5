#include "host/delivery/event_delivery.h"

#include <utility>

#include "host/delivery/module_state.h"
#include "platform/platform.h"
#include "text/utf8.h"

namespace axt::host {

void callbackWraper(const std::string& notification, const EventData& data) {
  handOver(EventParams{notification, data});
}

void handOver(EventParams params) {
  eventParams() = std::move(params);
  debounce(kDeliveryDelay, deliverPendingEvent);
}

void debounce(double delay, std::function<void()> action) {
  platform::current().runLoop().dispatchAfter(delay, [delay, action = std::move(action)]() mutable {
    platform::current().runLoop().scheduleTimer(delay, platform::RunLoopMode::kDefault,
                                                std::move(action));
  });
}

void deliverPendingEvent() {
  std::optional<EventParams>& slot = eventParams();
  if (!slot) return;
  // Without a callback the event waits for the first run after one is
  // registered.
  axtrack_callback callback = observer_callback();
  if (callback == nullptr) return;

  // Take the event out before calling the host: an event handed over while
  // the callback runs (the host calling back into us) must stay pending for
  // the run its own hand-over scheduled, not be wiped when we return.
  EventParams event = std::move(*slot);
  slot.reset();

  std::string text = json::write(event.data);
  // Texts read from other applications are not guaranteed to be valid UTF-8;
  // repair rather than withhold the event. Escapes are ASCII, so repairing
  // the encoded text equals repairing each string.
  text = text::toValidUtf8(text);
  std::string name = text::toValidUtf8(event.notification);
  callback(name.c_str(), text.c_str());
}

}  // namespace axt::host
