#include "handles.h"

#include <functional>

namespace simdesk::detail {

namespace {

std::size_t mix(std::size_t seed, std::size_t value) {
  return seed ^ (value + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2));
}

}  // namespace

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
  h = mix(h, std::hash<Pid>{}(pid_));
  return mix(h, std::hash<std::uint64_t>{}(generation_));
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
  h = mix(h, std::hash<Pid>{}(pid_));
  h = mix(h, std::hash<std::int64_t>{}(position_));
  return mix(h, std::hash<std::uint64_t>{}(generation_));
}

MarkerRangeHandle::MarkerRangeHandle(std::shared_ptr<const Handle> first,
                                     std::shared_ptr<const Handle> second)
    : first_(std::move(first)), second_(std::move(second)) {}

bool MarkerRangeHandle::equals(const Handle& other) const {
  const auto* o = handleAs<MarkerRangeHandle>(&other);
  return o != nullptr && first_->equals(*o->first_) && second_->equals(*o->second_);
}

std::size_t MarkerRangeHandle::hash() const { return mix(first_->hash(), second_->hash()); }

}  // namespace simdesk::detail
