#include "desktop/activation.h"

#include <atspi/atspi.h>

#include <set>
#include <string>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "glue/gobject_ref.h"
#include "logic/handles.h"
#include "session/session_ways.h"

namespace axt::lindesk {

namespace {

// The titles of the application's frames on the accessibility bus, for the
// windows of a toolkit that doesn't say which process they belong to.
std::set<std::string> frameTitles(AtspiSession& session, Applications& applications, platform::Pid pid) {
  std::set<std::string> titles;
  GRef<AtspiAccessible> app = applications.applicationOf(pid);
  findChild(session, app.get(), [&](AtspiAccessible* child) {
    const AppRequest request(session, child);
    if (request.refused()) return true;  // the application stopped answering: no more asked
    GErrorHolder error;
    std::string name = takeString(atspi_accessible_get_name(child, error.out()));
    if (error) {
      (void)failureCode(session, error, keyOf(child).busName);
      return false;
    }
    if (!name.empty()) titles.insert(std::move(name));
    return false;  // all of them
  });
  return titles;
}

}  // namespace

std::optional<std::string> SessionApplicationWindows::applicationIdOf(Pid pid) {
  return ways_.places->applicationIdOf(pid);
}

bool SessionApplicationWindows::activate(Applications& applications, Pid pid) {
  return ways_.activation->activate(pid, [&] { return frameTitles(session_, applications, pid); });
}

}  // namespace axt::lindesk
