// Which registrations of the observers an event can reach, found by what
// they are on, so that handling an event looks at the registrations of its
// element and its application only, however many were made over a session.
//
// Registrations are never taken back by the library. But one on an object
// that is gone (reported destroyed, removed, left the bus with its
// application, or answered for as unknown) can never hear anything again:
// the index lets go of it, and the caller of what it holds for it (the
// proxy of the object). What is let go costs nothing afterwards, neither
// memory here nor time per event; an application's own registrations (on
// its application element) stay as long as the index.
//
// Written over any key of an object, so that it can be checked without a
// bus.
#pragma once

#include <algorithm>
#include <compare>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace axt::lindesk {

// One registration: its observer's number and its place among that
// observer's registrations. The order of slots is the order in which
// observers are called.
struct RegistrationSlot {
  std::uint64_t observer = 0;
  std::size_t registration = 0;
  friend auto operator<=>(const RegistrationSlot&, const RegistrationSlot&) = default;
};

template <class Process, class Key, class KeyHash>
class RegistrationIndex {
 public:
  using Slot = RegistrationSlot;

  // A registration on the application element of `process`: it hears all
  // of the application's objects.
  void addApplication(const Process& process, Slot slot) { applications_[process].push_back(slot); }

  // A registration on one object: it hears that object alone.
  void addObject(const Key& key, Slot slot) { objects_[key].push_back(slot); }

  // The registrations an event of the application's object `key` can
  // reach, in slot order; `key` absent for an event of the application
  // element itself, which only the application's registrations hear.
  std::vector<Slot> reaching(const Process& process, const Key* key) const {
    std::vector<Slot> out;
    if (auto a = applications_.find(process); a != applications_.end()) out = a->second;
    if (key == nullptr) return out;
    if (auto o = objects_.find(*key); o != objects_.end()) {
      const std::size_t fromApplication = out.size();
      out.insert(out.end(), o->second.begin(), o->second.end());
      // Each list is in the order its registrations were made; together
      // they go in slot order.
      if (fromApplication > 0) std::sort(out.begin(), out.end());
    }
    return out;
  }

  // The object is gone: its registrations leave the index and are handed
  // back, for the caller to let go of what it holds for them. None when it
  // had none, or was let go of already.
  std::vector<Slot> letGo(const Key& key) {
    auto it = objects_.find(key);
    if (it == objects_.end()) return {};
    std::vector<Slot> gone = std::move(it->second);
    objects_.erase(it);
    return gone;
  }

  // Every object that `isGone(key)` accepts (those of an application that
  // left the bus, of a bus that went away): a walk over the objects held,
  // once per such loss rather than per event.
  template <class IsGone>
  std::vector<Slot> letGoWhere(IsGone&& isGone) {
    std::vector<Slot> gone;
    for (auto it = objects_.begin(); it != objects_.end();) {
      if (isGone(it->first)) {
        gone.insert(gone.end(), it->second.begin(), it->second.end());
        it = objects_.erase(it);
      } else {
        ++it;
      }
    }
    return gone;
  }

  bool holds(const Key& key) const { return objects_.count(key) != 0; }
  // The objects whose registrations are still held.
  std::size_t objectsHeld() const { return objects_.size(); }

 private:
  std::unordered_map<Process, std::vector<Slot>> applications_;
  std::unordered_map<Key, std::vector<Slot>, KeyHash> objects_;
};

}  // namespace axt::lindesk
