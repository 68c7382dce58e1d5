// Accessibility observers: every observer made, and what each registration
// hands the system as its context, so that a notification reaches the
// seam's callback with the observer's handle and the registration's own
// context. The system keeps calling an observer whose source is on a run
// loop, whatever became of the library's references to it: the table keeps
// every observer and registration for the life of the process.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "cf_ref.h"
#include "platform/platform.h"

namespace axt::macdesk {

class Observers {
 public:
  // AXObserverCreate for the process; the seam's handle on success.
  platform::AXError create(platform::Pid pid, platform::ObserverCallback callback,
                           std::optional<platform::Observer>& out);
  // AXObserverAddNotification with this table's context for the callback.
  platform::AXError add(const platform::Observer& observer, AXUIElementRef element,
                        const std::string& notification, void* context);
  // AXObserverGetRunLoopSource onto the calling thread's run loop.
  void addRunLoopSource(const platform::Observer& observer, CFRunLoopMode mode);

 private:
  struct Record {
    CFRef<AXObserverRef> observer;
    platform::ObserverCallback callback = nullptr;
  };
  // What the system hands back with each notification.
  struct Registration {
    std::uint64_t observerId = 0;
    platform::ObserverCallback callback = nullptr;
    void* context = nullptr;
  };

  static void onNotification(AXObserverRef observer, AXUIElementRef element, CFStringRef notification,
                             void* refcon);
  Record* find(const platform::Observer& observer);

  // Deques: the system holds the registrations' addresses.
  std::deque<Record> records_;
  std::deque<Registration> registrations_;
};

}  // namespace axt::macdesk
