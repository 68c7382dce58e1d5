// Delivery of events to the host: one pending slot, a short delay that
// coalesces bursts, JSON encoding and the call of the host callback.
#pragma once

#include <functional>
#include <string>

#include "host/delivery/event_params.h"

namespace axt::host {

// Delay of each of the two stages between a hand-over and its delivery.
inline constexpr double kDeliveryDelay = 0.09;

// Hands an event over for delivery, replacing any event still pending.
void callbackWraper(const std::string& notification, const EventData& data);

// Puts `params` in the pending slot and schedules one delivery run.
void handOver(EventParams params);

// Runs `action` on the main thread after twice `delay`: a main-queue block
// after `delay`, which adds a default-mode timer of `delay`.
void debounce(double delay, std::function<void()> action);

// The delivery run: delivers the pending event, if any, to the host callback.
void deliverPendingEvent();

}  // namespace axt::host
