// What the backend asks of an object itself: its states, asked once per
// handling (handling_cache.h), and its role, asked once in the object's life.
// A role is what an object is (a text, a button, a window): toolkits name a
// new object for a new role and report the rare change of one, on which
// the role is asked again.
#pragma once

#include <atspi/atspi.h>

#include <optional>

#include "glue/gobject_ref.h"

namespace axt::lindesk {

class AtspiSession;

// The object's states; empty when they can't be read.
GRef<AtspiStateSet> statesOf(AtspiSession& session, AtspiAccessible* object);

bool hasState(AtspiStateSet* states, AtspiStateType state);

// The object's role, as atspi_accessible_get_role answers it: with `error`
// set (and nothing kept) when it can't be read. Asked as the caller asks
// everything else of the application (see AppRequest).
AtspiRole roleOf(AtspiAccessible* object, GError** error);

// The object's role asked as every request is (AppRequest): absent when the
// application is refused for not answering or the request fails, which is
// then classified (and may mark the application: failureCode).
std::optional<AtspiRole> guardedRoleOf(AtspiSession& session, AtspiAccessible* object);

// The object's application reported a new role for it.
void forgetRole(AtspiAccessible* object);

}  // namespace axt::lindesk
