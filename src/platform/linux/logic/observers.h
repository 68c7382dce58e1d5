// Accessibility observers: which notifications of which elements each one
// has asked for, and the delivery of a notification to them. An observer
// registered on an application element hears that notification from every
// element of the application; one registered on another element hears it
// from that element only.
//
// Registrations are kept for the library's life, as the core knows them.
// One on an object that is gone can't hear anything again: the backend
// then lets go of the object's proxy and no longer looks at it when an
// event comes (registration_index.h), so that a long session whose focus
// visited many short-lived elements costs neither memory nor time per
// event for them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "logic/handles.h"
#include "logic/registration_index.h"
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
  std::uint64_t countHeardEvent() { return ++heardCount_; }

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

  // The object (`key` on the bus connection numbered `bus`) is gone: its
  // registrations let go of it.
  void objectGone(const ObjectKey& key, std::uint64_t bus);
  // Every object of the application at `busName` is gone: it left the bus.
  void applicationGone(const std::string& busName);
  // Every object of the bus connection numbered `bus`, and of those before
  // it, is gone: that bus went away.
  void connectionGone(std::uint64_t bus);
  // Whether registrations on the object are held (it isn't known gone).
  bool holdsObject(const ObjectKey& key, std::uint64_t bus) const;
  // How many objects registrations are held for.
  std::size_t objectsHeld() const { return index_.objectsHeld(); }

 private:
  struct Registration {
    platform::Element element;  // an application element hears all its elements; empty once gone
    std::string name;
    void* context = nullptr;
    std::uint64_t since = 0;  // the number of the last event heard before it
  };
  // An object by its value identity, as elements compare.
  struct ObjectId {
    ObjectKey key;
    std::uint64_t bus = 0;
    friend bool operator==(const ObjectId&, const ObjectId&) = default;
  };
  struct ObjectIdHash {
    std::size_t operator()(const ObjectId& id) const { return hashKey(id.key) ^ (id.bus * 0x9e3779b97f4a7c15ULL); }
  };
  struct Record {
    Pid pid = 0;
    platform::ObserverCallback callback = nullptr;
    std::vector<Registration> registrations;
    bool installed = false;
  };

  Record* find(std::uint64_t id);
  void count(const Record& record, const Registration& g, int change);
  void letGo(const std::vector<RegistrationSlot>& slots);

  // Every observer ever made stays: one whose source was added keeps
  // delivering whatever became of the library's references to it.
  std::vector<Record> records_;
  RegistrationIndex<Pid, ObjectId, ObjectIdHash> index_;
  // Installed registrations that can still hear something, by process and
  // notification.
  std::map<std::pair<Pid, std::string>, std::size_t> listening_;
  std::uint64_t heardCount_ = 0;
};

}  // namespace axt::lindesk
