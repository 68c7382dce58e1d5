// Putting text in place of an element's selection through AT-SPI's
// EditableText, as a paste would, without keys or the clipboard: where keys
// can't reach the application (a native client of a Wayland compositor),
// this is how its text is replaced, through the toolkit, under any
// compositor.
//
// The text goes in after the selection first and the selection goes after:
// an insertion that fails leaves the document as it was, and a deletion
// that fails takes the inserted text back out, so no step loses the user's
// words. What the element holds afterwards is read back; only the text
// standing where the selection was counts as replaced.
#pragma once

#include <atspi/atspi.h>

#include <string>

#include "platform/values.h"

namespace axt::lindesk {

class AtspiSession;

// Whether the element offers a replacement at all: editable for the user
// and through the bus.
bool offersReplacement(AtspiSession& session, AtspiAccessible* accessible);

// kSuccess when `text` now stands in place of the selection (or at the
// caret, without one) and the caret after it; kIllegalArgument for text
// that isn't valid UTF-8; kAttributeUnsupported for an element that offers
// no replacement; kFailure when the element didn't take the text as given
// (what was inserted is taken back out); a request's own code when the
// application failed to answer.
platform::AXError replaceSelection(AtspiSession& session, AtspiAccessible* accessible, const std::string& text);

}  // namespace axt::lindesk
