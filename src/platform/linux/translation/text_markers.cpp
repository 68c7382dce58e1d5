#include "translation/text_markers.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace axt::lindesk {

using platform::backend::mixHash;

bool MarkerHandle::equals(const Handle& other) const {
  const auto* o = handleAs<MarkerHandle>(&other);
  return o != nullptr && o->element_ == element_ && o->position_ == position_;
}

std::size_t MarkerHandle::hash() const {
  return mixHash(hashKey(element_), std::hash<std::int64_t>{}(position_));
}

platform::TextMarkerRange markerRangeFor(const ObjectKey& element, const platform::Range& range) {
  auto start = std::make_shared<MarkerHandle>(element, range.location);
  auto end = std::make_shared<MarkerHandle>(element, range.location + range.length);
  return platform::TextMarkerRange(std::make_shared<MarkerRangeHandle>(std::move(start), std::move(end)));
}

std::optional<CharRange> markedChars(const ObjectKey& element, const platform::Value& parameter, std::int64_t total) {
  const auto* ref = std::get_if<platform::TextMarkerRange>(&parameter);
  const MarkerRangeHandle* range = ref != nullptr ? handleAs<MarkerRangeHandle>(*ref) : nullptr;
  if (range == nullptr) return std::nullopt;
  const MarkerHandle* a = range->firstMarker();
  const MarkerHandle* b = range->secondMarker();
  if (a == nullptr || b == nullptr || !(a->element() == element) || !(b->element() == element)) return std::nullopt;
  const std::int64_t p = std::clamp<std::int64_t>(a->position(), 0, total);
  const std::int64_t q = std::clamp<std::int64_t>(b->position(), 0, total);
  return CharRange{std::min(p, q), std::max(p, q)};
}

std::optional<platform::TextMarker> startMarker(const platform::TextMarkerRange& range) {
  const auto* r = handleAs<MarkerRangeHandle>(range);
  if (r == nullptr) return std::nullopt;
  return platform::TextMarker(r->first());
}

std::optional<platform::TextMarker> endMarker(const platform::TextMarkerRange& range) {
  const auto* r = handleAs<MarkerRangeHandle>(range);
  if (r == nullptr) return std::nullopt;
  return platform::TextMarker(r->second());
}

std::optional<platform::TextMarkerRange> makeMarkerRange(const platform::TextMarker& first,
                                                         const platform::TextMarker& second) {
  if (handleAs<MarkerHandle>(first) == nullptr || handleAs<MarkerHandle>(second) == nullptr) {
    return std::nullopt;
  }
  return platform::TextMarkerRange(std::make_shared<MarkerRangeHandle>(first.shared(), second.shared()));
}

}  // namespace axt::lindesk
