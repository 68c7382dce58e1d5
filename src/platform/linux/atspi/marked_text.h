// What a text marker range (text_markers.h) reads of its element's text:
// where the characters it marks are on the screen, and what they say.
#pragma once

#include <atspi/atspi.h>

#include <string>

#include "atspi/text_access.h"
#include "logic/handles.h"
#include "platform/platform.h"

namespace axt::lindesk {

class AtspiSession;

using platform::AXError;

// kIllegalArgument for a parameter that is no marker range of `element`.
AXError boundsForMarkerRange(AtspiSession& session, TextPlacement& placement, AtspiText* text, const ObjectKey& element,
                             const platform::Value& parameter, platform::Rect& out);
AXError stringForMarkerRange(AtspiSession& session, AtspiText* text, const ObjectKey& element,
                             const platform::Value& parameter, std::string& out);

}  // namespace axt::lindesk
