#include "atspi/object_tree.h"

#include <string>

#include "atspi/atspi_session.h"
#include "atspi/object_facts.h"
#include "logic/handles.h"

namespace axt::lindesk {

bool isDefunct(AtspiSession& session, AtspiAccessible* accessible) {
  if (!reachable(accessible)) return true;
  // Unanswered isn't gone (no states then): the caller finds out from its
  // own request.
  GRef<AtspiStateSet> states = statesOf(session, accessible);
  return hasState(states.get(), ATSPI_STATE_DEFUNCT);
}

GRef<AtspiAccessible> findChild(AtspiSession& session, AtspiAccessible* parent,
                                const std::function<bool(AtspiAccessible* child)>& wanted) {
  if (!reachable(parent)) return {};
  const std::string busName = keyOf(parent).busName;
  gint count = 0;
  {
    const AppRequest request(session, parent);
    if (request.refused()) return {};
    GErrorHolder error;
    count = atspi_accessible_get_child_count(parent, error.out());
    if (error) {
      (void)failureCode(session, error, busName);
      return {};
    }
  }
  for (gint i = 0; i < count; ++i) {
    GRef<AtspiAccessible> child;
    {
      // Refused too once an earlier request (of this walk or of `wanted`)
      // found the application unresponsive: the rest isn't waited for.
      const AppRequest request(session, parent);
      if (request.refused()) return {};
      GErrorHolder childError;
      child = GRef<AtspiAccessible>::adopt(atspi_accessible_get_child_at_index(parent, i, childError.out()));
      if (childError) {
        (void)failureCode(session, childError, busName);
        continue;
      }
    }
    if (!child) continue;
    session.noteSeen(child.get());
    if (reachable(child.get()) && wanted(child.get())) return child;
  }
  return {};
}

std::vector<GRef<AtspiAccessible>> adoptAccessibles(GArrayPtr array) {
  std::vector<GRef<AtspiAccessible>> out;
  if (!array) return out;
  out.reserve(array->len);
  for (guint i = 0; i < array->len; ++i) {
    out.push_back(GRef<AtspiAccessible>::adopt(g_array_index(array.get(), AtspiAccessible*, i)));
  }
  return out;
}

}  // namespace axt::lindesk
