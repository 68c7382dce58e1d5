// Text extents from toolkits that don't know where their window is on the
// screen. GTK 4 on X11 gives the extents of a range of text in no
// coordinates at all, and those of a character only relative to its
// window; the window's place is the X server's to tell. A native Wayland
// client's toolkit gives its window's coordinates for the screen's; the
// window's place is the compositor's to tell. Without this, the
// selection couldn't be measured there, and measuring it another way
// (selecting to the end of the text) takes the user's selection away.
#pragma once

#include <atspi/atspi.h>

#include <optional>

#include "atspi/text_access.h"
#include "logic/char_range.h"
#include "platform/values.h"

namespace axt::lindesk {

class Applications;
class AtspiSession;
class WindowPlaces;

// The screen rectangle of the characters `chars` of `text` (the box from
// the first character's to the last one's), from their extents relative to
// their window; absent when the toolkit gives none or the window isn't
// found. The session asks the bus, the applications tell whose the text is,
// the session's window places where its window is.
std::optional<platform::Rect> windowRelativeBounds(AtspiText* text, CharRange chars, AtspiSession& session,
                                                   Applications& applications, WindowPlaces& places);

// Where the window of `object` starts on the screen, when its toolkit's
// screen coordinates are relative to it (WindowPlaces::relativeOriginOf).
std::optional<platform::Point> relativeOriginOf(AtspiAccessible* object, AtspiSession& session,
                                                Applications& applications, WindowPlaces& places);

// The same for the text readings of the bus side (text_access.h).
class SessionTextPlacement final : public TextPlacement {
 public:
  SessionTextPlacement(AtspiSession& session, Applications& applications, WindowPlaces& places)
      : session_(session), applications_(applications), places_(places) {}
  std::optional<platform::Rect> windowRelativeBounds(AtspiText* text, CharRange chars) override {
    return lindesk::windowRelativeBounds(text, chars, session_, applications_, places_);
  }
  std::optional<platform::Point> relativeOrigin(AtspiText* text) override {
    return lindesk::relativeOriginOf(ATSPI_ACCESSIBLE(text), session_, applications_, places_);
  }

 private:
  AtspiSession& session_;
  Applications& applications_;
  WindowPlaces& places_;
};

}  // namespace axt::lindesk
