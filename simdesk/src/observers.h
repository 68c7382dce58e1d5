// Accessibility observers: which notifications of which elements each one
// has asked for, and the delivery of a posted notification to them on the
// main run loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace simdesk::detail {

using axt::platform::AXError;
using axt::platform::ObserverCallback;
using axt::platform::Pid;

struct State;

struct ObserverRegistration {
  std::string elementId;  // empty: the application element, which hears every element
  std::string name;
  void* context = nullptr;
};

struct ObserverRecord {
  Pid pid = 0;
  ObserverCallback callback = nullptr;
  std::vector<ObserverRegistration> registrations;
  bool inDefaultMode = false;  // its run-loop source is installed in these modes
  bool inCommonModes = false;

  bool installed() const { return inDefaultMode || inCommonModes; }
};

// The registry keeps every observer it ever made, so an observer whose
// source is installed keeps delivering whatever became of the library's
// references to it, as the run loop's own reference would ensure.
class ObserverRegistry {
 public:
  // Numbers start at 1, in creation order.
  std::uint64_t create(Pid pid, ObserverCallback callback);
  ObserverRecord* find(std::uint64_t id);
  std::size_t installedCount() const;
  const std::vector<ObserverRecord>& all() const { return records_; }

 private:
  std::vector<ObserverRecord> records_;
};

// Registers (element, name) on the observer; the element has passed the
// accessibility checks of a request already.
AXError addObserverNotification(State& s, std::uint64_t observerId, Pid elementPid,
                                const std::string& elementId, const std::string& name,
                                void* context);

// The element `elementId` of application `pid` (empty: the application
// element) posts notification `name`: each installed observer of the
// application that asked for it, on the element or on the application
// element, gets a callback queued on the main loop.
void postAccessibilityNotification(State& s, Pid pid, const std::string& elementId,
                                   const std::string& name);

}  // namespace simdesk::detail
