// The applications' windows as the session knows them, for the bus side:
// their toolkit's application id, and bringing them to the front, with the
// titles of their frames on the bus for the windows that don't say which
// process they belong to.
#pragma once

#include "atspi/applications.h"
#include "platform/values.h"

namespace axt::lindesk {

class AtspiSession;
struct SessionWays;

class SessionApplicationWindows final : public ApplicationWindows {
 public:
  // The ways are those the desktop chose; they are asked when a window is,
  // not when this is made (the desktop makes them once the bus side's
  // focus is there for the hot key).
  SessionApplicationWindows(SessionWays& ways, AtspiSession& session) : ways_(ways), session_(session) {}
  std::optional<std::string> applicationIdOf(Pid pid) override;
  bool activate(Applications& applications, Pid pid) override;

 private:
  SessionWays& ways_;
  AtspiSession& session_;
};

}  // namespace axt::lindesk
