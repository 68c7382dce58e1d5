#include "atspi/object_failure.h"

#include "atspi/atspi_session.h"
#include "logic/handles.h"
#include "logic/observers.h"

namespace axt::lindesk {

platform::AXError objectFailure(AtspiSession& session, Observers& observers, const GErrorHolder& error,
                                AtspiAccessible* object) {
  const ObjectKey key = keyOf(object);
  const platform::AXError code = failureCode(session, error, key.busName);
  if (code == platform::axerr::kInvalidUIElement) observers.objectGone(key, session.connectionNumber());
  return code;
}

}  // namespace axt::lindesk
