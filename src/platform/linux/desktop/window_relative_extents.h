// Text extents from toolkits that don't know where their window is on the
// screen. GTK 4 on X11 gives the extents of a range of text in no
// coordinates at all, and those of a character only relative to its
// window; the window's place is the X server's to tell. Without this, the
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
class X11Display;

// The screen rectangle of the characters `chars` of `text` (the box from
// the first character's to the last one's), from their extents relative to
// their window; absent when the toolkit gives none or the window isn't
// found. The session asks the bus, the applications tell whose the text is,
// the X server where its window is.
std::optional<platform::Rect> windowRelativeBounds(AtspiText* text, CharRange chars, AtspiSession& session,
                                                   Applications& applications, X11Display& x11);

// The same for the text readings of the bus side (text_access.h).
class X11TextPlacement final : public TextPlacement {
 public:
  X11TextPlacement(AtspiSession& session, Applications& applications, X11Display& x11)
      : session_(session), applications_(applications), x11_(x11) {}
  std::optional<platform::Rect> windowRelativeBounds(AtspiText* text, CharRange chars) override {
    return lindesk::windowRelativeBounds(text, chars, session_, applications_, x11_);
  }

 private:
  AtspiSession& session_;
  Applications& applications_;
  X11Display& x11_;
};

}  // namespace axt::lindesk
