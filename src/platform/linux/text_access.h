// Reading and writing an element's text through AT-SPI's Text interface,
// with every position in UTF-16 units as the library counts them. AT-SPI
// counts characters, so each call reads the text it needs to convert.
#pragma once

#include <atspi/atspi.h>

#include <optional>
#include <string>

#include "gobject_ref.h"
#include "platform/values.h"
#include "utf16_offsets.h"

namespace axt::lindesk {

using platform::AXError;

// The element's Text interface, or empty when it has none.
GRef<AtspiText> textOf(AtspiAccessible* accessible);

// The whole text.
AXError readText(AtspiText* text, std::string& out);

// The selection (the first one), or the caret as an empty range at it, in
// characters.
AXError readSelection(AtspiText* text, CharRange& out);

// Selection as UTF-16 units, with the text it was converted against.
AXError readSelectedRange(AtspiText* text, platform::Range& out, std::string* selectedText);

// The screen rectangle of a character range.
AXError boundsOfChars(AtspiText* text, CharRange chars, platform::Rect& out);

// The screen rectangle of a UTF-16 range; kIllegalArgument for a range
// outside the text.
AXError boundsOfRange(AtspiText* text, const platform::Range& units, platform::Rect& out);

// The string of a UTF-16 range.
AXError stringOfRange(AtspiText* text, const platform::Range& units, std::string& out);

// Selects a UTF-16 range (clamped to the text); an empty one places the
// caret.
AXError selectRange(AtspiText* text, const platform::Range& units);

}  // namespace axt::lindesk
