#include "logic/handles.h"

#include <functional>

namespace axt::lindesk {

using platform::backend::mixHash;

std::size_t hashKey(const ObjectKey& key) {
  return mixHash(std::hash<std::string>{}(key.busName), std::hash<std::string>{}(key.path));
}

ObjectKey keyOf(AtspiAccessible* accessible) {
  if (accessible == nullptr) return {};
  const AtspiObject& object = accessible->parent;
  ObjectKey key;
  if (object.app != nullptr && object.app->bus_name != nullptr) key.busName = object.app->bus_name;
  if (object.path != nullptr) key.path = object.path;
  return key;
}

ElementHandle::ElementHandle(Pid pid, GRef<AtspiAccessible> accessible, ObjectKey key, std::uint64_t bus)
    : pid_(pid), application_(!accessible), accessible_(std::move(accessible)), key_(std::move(key)), bus_(bus) {}

platform::Element ElementHandle::application(Pid pid) {
  return platform::Element(std::make_shared<ElementHandle>(pid, GRef<AtspiAccessible>(), ObjectKey{}, 0));
}

platform::Element ElementHandle::object(Pid pid, GRef<AtspiAccessible> accessible, std::uint64_t bus) {
  ObjectKey key = keyOf(accessible.get());
  return platform::Element(std::make_shared<ElementHandle>(pid, std::move(accessible), std::move(key), bus));
}

bool ElementHandle::equals(const Handle& other) const {
  const auto* o = handleAs<ElementHandle>(&other);
  if (o == nullptr || o->isApplication() != isApplication()) return false;
  if (isApplication()) return o->pid_ == pid_;
  return o->key_ == key_ && o->bus_ == bus_;
}

std::size_t ElementHandle::hash() const {
  if (isApplication()) return mixHash(0x51, std::hash<Pid>{}(pid_));
  return hashKey(key_);
}

}  // namespace axt::lindesk
