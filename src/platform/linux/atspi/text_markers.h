// Text markers, emulated: a marker is a character position in one element's
// text, a marker range two of them. They let every element with text, the
// read-only ones included, answer the marker attributes, which is how the
// library measures selections in text it can't edit.
#pragma once

#include <atspi/atspi.h>

#include <optional>
#include <string>

#include "atspi/text_access.h"
#include "logic/handles.h"
#include "platform/platform.h"

namespace axt::lindesk {

class AtspiSession;

using platform::AXError;

// The marker range from `range.location` to its end, in `element`.
platform::TextMarkerRange markerRangeFor(const ObjectKey& element, const platform::Range& range);

// The parameterized reads on a marker range of `element`: its screen
// bounds, or its string. kIllegalArgument for a parameter that is no
// marker range of this element. Markers left beyond the text by an edit
// are brought back inside it; the two ends may come in either order.
AXError boundsForMarkerRange(AtspiSession& session, TextPlacement& placement, AtspiText* text, const ObjectKey& element,
                             const platform::Value& parameter, platform::Rect& out);
AXError stringForMarkerRange(AtspiSession& session, AtspiText* text, const ObjectKey& element,
                             const platform::Value& parameter, std::string& out);

// The seam's marker calls.
std::optional<platform::TextMarker> startMarker(const platform::TextMarkerRange& range);
std::optional<platform::TextMarker> endMarker(const platform::TextMarkerRange& range);
std::optional<platform::TextMarkerRange> makeMarkerRange(const platform::TextMarker& first,
                                                         const platform::TextMarker& second);

}  // namespace axt::lindesk
