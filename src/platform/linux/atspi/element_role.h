// An element's role and subrole as the library names them (roles.h), and
// whether the user can edit it.
#pragma once

#include <atspi/atspi.h>

#include "translation/roles.h"
#include "platform/values.h"

namespace axt::lindesk {

class AtspiSession;
class Observers;

platform::AXError mappedRoleOf(AtspiSession& session, Observers& observers, AtspiAccessible* a, MappedRole& out);

// Editable as the user sees it: the toolkit says so with the state, the
// same one the role mapping reads. Which interfaces it offers besides is
// the toolkit's business (Chromium offers Text but not EditableText for
// the fields the user types in).
bool isEditable(AtspiSession& session, AtspiAccessible* a);

}  // namespace axt::lindesk
