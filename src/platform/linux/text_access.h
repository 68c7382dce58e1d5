// Reading and writing an element's text through AT-SPI's Text interface,
// with every position in UTF-16 units as the library counts them. AT-SPI
// counts characters; positions are converted by the text's index
// (text_indexes.h), so that only the part of the text asked for is read.
#pragma once

#include <atspi/atspi.h>

#include <optional>
#include <string>

#include "astral_index.h"
#include "gobject_ref.h"
#include "platform/values.h"
#include "utf16_offsets.h"

namespace axt::lindesk {

using platform::AXError;

// A character offset as AT-SPI takes it, clamped to its range.
gint asOffset(std::int64_t v);

// The element's Text interface, or empty when it has none.
GRef<AtspiText> textOf(AtspiAccessible* accessible);

// The whole text.
AXError readText(AtspiText* text, std::string& out);

// The characters of the first selection; an empty range without one (the
// caret isn't asked for).
AXError readSelectedChars(AtspiText* text, CharRange& out);

// The selected text (the first selection's); empty without one.
AXError readSelectedText(AtspiText* text, std::string& out);

// The index of the text's positions (text_indexes.h).
AXError indexOfText(AtspiText* text, const AstralIndex*& out);

// The text of a character range.
AXError readChars(AtspiText* text, CharRange chars, std::string& out);

// The selection (or the caret, as an empty one) in UTF-16 units.
AXError readSelectedRange(AtspiText* text, platform::Range& out);

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
