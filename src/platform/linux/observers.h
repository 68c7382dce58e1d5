// Accessibility observers: which notifications of which elements each one
// has asked for, and the delivery of a notification to them. An observer
// registered on an application element hears that notification from every
// element of the application; one registered on another element hears it
// from that element only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace axt::lindesk {

using platform::AXError;
using platform::Pid;

class Observers {
 public:
  // Events are numbered as they are heard. A registration hears only the
  // events heard after it was made, however long they waited in the queue:
  // the focus a window gives its element as it becomes active is heard with
  // the activation, before the observers the activation leads to exist.
  std::uint64_t numberHeardEvent() { return ++heardCount_; }

  // A new observer for the process; numbers start at 1.
  std::uint64_t create(Pid pid, platform::ObserverCallback callback);
  bool exists(std::uint64_t id) const;
  AXError addRegistration(std::uint64_t id, const platform::Element& element, Pid elementPid,
                          const std::string& name, void* context);
  void install(std::uint64_t id);

  // True when some installed observer of the process asked for the
  // notification (so that work to find the element can be skipped).
  bool anyoneListens(Pid pid, const std::string& name) const;

  // Calls, in registration order, every installed observer of `pid` that
  // asked for `name` on `element` or on the application element before the
  // event numbered `heard`, once per callback and context. Runs on the main
  // loop; the callbacks may register further observers.
  void deliver(Pid pid, const platform::Element& element, const std::string& name, std::uint64_t heard);

 private:
  struct Registration {
    platform::Element element;  // an application element hears all its elements
    std::string name;
    void* context = nullptr;
    std::uint64_t since = 0;  // the number of the last event heard before it
  };
  struct Record {
    Pid pid = 0;
    platform::ObserverCallback callback = nullptr;
    std::vector<Registration> registrations;
    bool installed = false;
  };

  static bool hears(const Registration& r, const platform::Element& element, const std::string& name);
  Record* find(std::uint64_t id);

  // Every observer ever made stays: one whose source was added keeps
  // delivering whatever became of the library's references to it.
  std::vector<Record> records_;
  std::uint64_t heardCount_ = 0;
};

}  // namespace axt::lindesk
