#include "atspi/text_markers.h"

#include <algorithm>

#include "atspi/text_access.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

// The characters a marker-range parameter names in the text, or why not.
AXError readMarked(AtspiSession& session, AtspiText* text, const ObjectKey& element, const platform::Value& parameter,
                   CharRange& out) {
  const auto* ref = std::get_if<platform::TextMarkerRange>(&parameter);
  const MarkerRangeHandle* range = ref != nullptr ? handleAs<MarkerRangeHandle>(*ref) : nullptr;
  if (range == nullptr) return axerr::kIllegalArgument;
  const MarkerHandle* a = range->firstMarker();
  const MarkerHandle* b = range->secondMarker();
  if (a == nullptr || b == nullptr || !(a->element() == element) || !(b->element() == element)) {
    return axerr::kIllegalArgument;
  }
  std::int64_t total = 0;
  if (AXError code = characterCountOf(session, text, total); code != axerr::kSuccess) return code;
  const std::int64_t p = std::clamp<std::int64_t>(a->position(), 0, total);
  const std::int64_t q = std::clamp<std::int64_t>(b->position(), 0, total);
  out = CharRange{std::min(p, q), std::max(p, q)};
  return axerr::kSuccess;
}

}  // namespace

platform::TextMarkerRange markerRangeFor(const ObjectKey& element, const platform::Range& range) {
  auto start = std::make_shared<MarkerHandle>(element, range.location);
  auto end = std::make_shared<MarkerHandle>(element, range.location + range.length);
  return platform::TextMarkerRange(std::make_shared<MarkerRangeHandle>(std::move(start), std::move(end)));
}

AXError boundsForMarkerRange(AtspiSession& session, TextPlacement& placement, AtspiText* text, const ObjectKey& element,
                             const platform::Value& parameter, platform::Rect& out) {
  CharRange chars;
  if (AXError code = readMarked(session, text, element, parameter, chars); code != axerr::kSuccess) return code;
  return boundsOfChars(session, placement, text, chars, out);
}

AXError stringForMarkerRange(AtspiSession& session, AtspiText* text, const ObjectKey& element,
                             const platform::Value& parameter, std::string& out) {
  CharRange chars;
  if (AXError code = readMarked(session, text, element, parameter, chars); code != axerr::kSuccess) return code;
  return readChars(session, text, chars, out);
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
