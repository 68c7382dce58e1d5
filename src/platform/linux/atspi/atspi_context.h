// What the room's free functions reach without being handed it: the
// session, to ask an application (Asking, failureCode, currentBus), and
// the readings of the handling (object_facts.h, text_access.h). They are
// called from everywhere in the backend with an object and nothing else,
// and both parts live as long as the desktop that owns them, which defines
// this (desktop/platform.cpp): the room declares what it needs and sees
// nothing of the desktop.
#pragma once

namespace axt::lindesk {

class AtspiSession;
class ReadingMemo;

struct AtspiContext {
  AtspiSession& session;
  ReadingMemo& readings;
};

const AtspiContext& atspiContext();

}  // namespace axt::lindesk
