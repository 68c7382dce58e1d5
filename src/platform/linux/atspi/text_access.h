// Reading and writing an element's text through AT-SPI's Text interface.
// Every position, the ones handed to the core as well as the ones it hands
// back, is a character offset as the application counts it: the core only
// gives back ranges it was given (the selection, the caret, the count of
// characters), so nothing needs converting, and only the part of the text
// asked for is ever read.
#pragma once

#include <atspi/atspi.h>

#include <optional>
#include <string>

#include "glue/gobject_ref.h"
#include "logic/char_range.h"
#include "platform/values.h"

namespace axt::lindesk {

class AtspiSession;

using platform::AXError;

// A character offset as AT-SPI takes it, clamped to its range.
gint asOffset(std::int64_t v);

// The element's Text interface, or empty when it has none.
GRef<AtspiText> textOf(AtspiAccessible* accessible);

// The whole text.
AXError readText(AtspiSession& session, AtspiText* text, std::string& out);

// The characters of the first selection; an empty range without one (the
// caret isn't asked for).
AXError readSelectedChars(AtspiSession& session, AtspiText* text, CharRange& out);

// The selected text (the first selection's); empty without one.
AXError readSelectedText(AtspiSession& session, AtspiText* text, std::string& out);

// The number of characters (asked once in a handling).
AXError characterCountOf(AtspiSession& session, AtspiText* text, std::int64_t& out);

// The text of a character range.
AXError readChars(AtspiSession& session, AtspiText* text, CharRange chars, std::string& out);

// The selection (or the caret, as an empty one).
AXError readSelectedRange(AtspiSession& session, AtspiText* text, platform::Range& out);

// Text extents from toolkits that give them only relative to their window,
// placed on the screen by the window system.
class TextPlacement {
 public:
  virtual ~TextPlacement() = default;
  // The screen rectangle of the characters `chars` of `text`; absent when
  // the toolkit gives no window-relative extents or the window isn't found.
  virtual std::optional<platform::Rect> windowRelativeBounds(AtspiText* text, CharRange chars) = 0;
  // Where the window starts on the screen that the toolkit of `text`
  // gives its screen coordinates relative to (a native Wayland client's);
  // absent when they are the screen's, or the window isn't known.
  virtual std::optional<platform::Point> relativeOrigin(AtspiText* text) = 0;
};

// The screen rectangle of a character range; `placement` places the
// extents of a toolkit that gives them only relative to its window.
AXError boundsOfChars(AtspiSession& session, TextPlacement& placement, AtspiText* text, CharRange chars,
                      platform::Rect& out);

// The screen rectangle of a range; kIllegalArgument for a range outside
// the text.
AXError boundsOfRange(AtspiSession& session, TextPlacement& placement, AtspiText* text, const platform::Range& units,
                      platform::Rect& out);

// The string of a range; kIllegalArgument for a range outside the text.
AXError stringOfRange(AtspiSession& session, AtspiText* text, const platform::Range& units, std::string& out);

// Selects a range (clamped to the text); an empty one places the caret.
AXError selectRange(AtspiSession& session, AtspiText* text, const platform::Range& units);

}  // namespace axt::lindesk
