#include "atspi/element_role.h"

#include "atspi/atspi_session.h"
#include "atspi/object_facts.h"
#include "atspi/object_failure.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

platform::AXError mappedRoleOf(AtspiSession& session, Observers& observers, AtspiAccessible* a, MappedRole& out) {
  GErrorHolder error;
  AtspiRole role = ATSPI_ROLE_INVALID;
  {
    const AppRequest request(session, a);
    if (request.refused()) return axerr::kCannotComplete;
    role = roleOf(a, error.out());
  }
  if (error) return objectFailure(session, observers, error, a);
  GRef<AtspiStateSet> states = statesOf(session, a);
  RoleTraits traits;
  traits.editable = hasState(states.get(), ATSPI_STATE_EDITABLE);
  traits.multiLine = hasState(states.get(), ATSPI_STATE_MULTI_LINE);
  traits.singleLine = hasState(states.get(), ATSPI_STATE_SINGLE_LINE);
  out = mapRole(role, traits);
  return axerr::kSuccess;
}

bool isEditable(AtspiSession& session, AtspiAccessible* a) {
  GRef<AtspiStateSet> states = statesOf(session, a);
  return hasState(states.get(), ATSPI_STATE_EDITABLE);
}

}  // namespace axt::lindesk
