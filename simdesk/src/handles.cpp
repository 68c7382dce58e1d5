#include "handles.h"

#include <functional>

namespace simdesk::detail {

using axt::platform::backend::mixHash;

ElementHandle::ElementHandle(std::uint64_t generation, Pid pid, std::string elementId)
    : generation_(elementId.empty() ? 0 : generation), pid_(pid), elementId_(std::move(elementId)) {}

axt::platform::Element ElementHandle::application(Pid pid) {
  return axt::platform::Element(std::make_shared<ElementHandle>(0, pid, std::string()));
}

axt::platform::Element ElementHandle::element(std::uint64_t generation, Pid pid,
                                              std::string elementId) {
  return axt::platform::Element(
      std::make_shared<ElementHandle>(generation, pid, std::move(elementId)));
}

bool ElementHandle::equals(const Handle& other) const {
  const auto* o = handleAs<ElementHandle>(&other);
  return o != nullptr && o->generation_ == generation_ && o->pid_ == pid_ &&
         o->elementId_ == elementId_;
}

std::size_t ElementHandle::hash() const {
  std::size_t h = std::hash<std::string>{}(elementId_);
  h = mixHash(h, std::hash<Pid>{}(pid_));
  return mixHash(h, std::hash<std::uint64_t>{}(generation_));
}

MarkerHandle::MarkerHandle(std::uint64_t generation, Pid pid, std::string elementId,
                           std::int64_t position)
    : generation_(generation), pid_(pid), elementId_(std::move(elementId)), position_(position) {}

bool MarkerHandle::equals(const Handle& other) const {
  const auto* o = handleAs<MarkerHandle>(&other);
  return o != nullptr && o->generation_ == generation_ && o->pid_ == pid_ &&
         o->elementId_ == elementId_ && o->position_ == position_;
}

std::size_t MarkerHandle::hash() const {
  std::size_t h = std::hash<std::string>{}(elementId_);
  h = mixHash(h, std::hash<Pid>{}(pid_));
  h = mixHash(h, std::hash<std::int64_t>{}(position_));
  return mixHash(h, std::hash<std::uint64_t>{}(generation_));
}

}  // namespace simdesk::detail
