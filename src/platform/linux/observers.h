// Accessibility observers: which notifications of which elements each one
// has asked for, and the delivery of a notification to them. An observer
// registered on an application element hears that notification from every
// element of the application; one registered on another element hears it
// from that element only.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace axt::lindesk {

using platform::AXError;
using platform::Pid;

// Events are numbered as they are heard. A registration hears only the
// events heard after it was made, however long they waited in the queue:
// the focus a window gives its element as it becomes active is heard with
// the activation, before the observers the activation leads to exist.
std::uint64_t numberHeardEvent();

// A new observer for the process; numbers start at 1.
std::uint64_t createObserverRecord(Pid pid, platform::ObserverCallback callback);
bool observerExists(std::uint64_t id);
AXError addObserverRegistration(std::uint64_t id, const platform::Element& element, Pid elementPid,
                                const std::string& name, void* context);
void installObserver(std::uint64_t id);

// True when some installed observer of the process asked for the
// notification (so that work to find the element can be skipped).
bool anyoneListens(Pid pid, const std::string& name);

// Calls, in registration order, every installed observer of `pid` that
// asked for `name` on `element` or on the application element before the
// event numbered `heard`. Runs on the main loop; the callbacks may register
// further observers.
void deliverNotification(Pid pid, const platform::Element& element, const std::string& name,
                         std::uint64_t heard);

}  // namespace axt::lindesk
