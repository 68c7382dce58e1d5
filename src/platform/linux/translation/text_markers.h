// Text markers, in the shape macOS gives them: a marker is a character
// position in one element's text, a marker range two of them. Here they are
// values of this backend's own, so every element with text, the read-only
// ones included, can answer the marker attributes; that is how the library
// measures selections in text it can't edit. What a range reads of the text
// is the accessibility side's (marked_text.h).
#pragma once

#include <cstdint>
#include <optional>

#include "logic/char_range.h"
#include "logic/handles.h"
#include "platform/platform.h"

namespace axt::lindesk {

// A position in one element's text, in characters from its start. A
// marker is a value: it stays where it was put when the text changes.
class MarkerHandle final : public Handle {
 public:
  MarkerHandle(ObjectKey element, std::int64_t position)
      : element_(std::move(element)), position_(position) {}

  bool equals(const Handle& other) const override;
  std::size_t hash() const override;

  const ObjectKey& element() const { return element_; }
  std::int64_t position() const { return position_; }

 private:
  ObjectKey element_;
  std::int64_t position_;
};

using MarkerRangeHandle = platform::backend::MarkerRangeHandle<MarkerHandle>;

// The marker range from `range.location` to its end, in `element`.
platform::TextMarkerRange markerRangeFor(const ObjectKey& element, const platform::Range& range);

// The characters a marker-range parameter names in `element`'s text of
// `total` characters; absent for a parameter that is no marker range of
// this element. Markers left beyond the text by an edit are brought back
// inside it; the two ends may come in either order.
std::optional<CharRange> markedChars(const ObjectKey& element, const platform::Value& parameter, std::int64_t total);

// The seam's marker calls.
std::optional<platform::TextMarker> startMarker(const platform::TextMarkerRange& range);
std::optional<platform::TextMarker> endMarker(const platform::TextMarkerRange& range);
std::optional<platform::TextMarkerRange> makeMarkerRange(const platform::TextMarker& first,
                                                         const platform::TextMarker& second);

}  // namespace axt::lindesk
