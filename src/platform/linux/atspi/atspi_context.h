// What the room's free functions reach without being handed it: asking an
// application (Asking, failureCode, currentBus), the readings of the
// handling (object_facts.h, text_access.h), and where a toolkit that
// doesn't know its window's place puts its text. They are called from everywhere in the
// backend with an object and nothing else, and the parts live as long as
// the desktop that owns them, which defines this (desktop/platform.cpp):
// the room declares what it needs and sees nothing of the desktop.
#pragma once

#include <atspi/atspi.h>

#include <optional>

#include "logic/char_range.h"
#include "platform/values.h"

namespace axt::lindesk {

class AtspiSession;
class ReadingMemo;

// Text extents from toolkits that give them only relative to their window,
// placed on the screen by the window system.
class TextPlacement {
 public:
  virtual ~TextPlacement() = default;
  // The screen rectangle of the characters `chars` of `text`; absent when
  // the toolkit gives no window-relative extents or the window isn't found.
  virtual std::optional<platform::Rect> windowRelativeBounds(AtspiText* text, CharRange chars) = 0;
};

struct AtspiContext {
  AtspiSession& session;
  ReadingMemo& readings;
  TextPlacement& placement;
};

const AtspiContext& atspiContext();

}  // namespace axt::lindesk
