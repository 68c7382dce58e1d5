#include "atspi/object_facts.h"

#include "atspi/atspi_session.h"
#include "logic/handles.h"
#include "logic/handling_cache.h"

namespace axt::lindesk {

namespace {

// The role kept on the object itself, one more than its value (zero is
// "not kept"): it goes with the object.
GQuark roleQuark() {
  static const GQuark quark = g_quark_from_static_string("axtrack-role");
  return quark;
}

}  // namespace

GRef<AtspiStateSet> statesOf(AtspiSession& session, AtspiAccessible* object) {
  if (object == nullptr) return {};
  HandlingCache& memo = session.readings();
  GRef<AtspiStateSet> known;
  memo.with(object, [&](ObjectReadings& r) { known = r.states; });
  if (known) return known;
  GRef<AtspiStateSet> states;
  {
    const AppRequest request(session, object);
    if (request.refused()) return {};
    states = GRef<AtspiStateSet>::adopt(atspi_accessible_get_state_set(object));
  }
  memo.with(object, [&](ObjectReadings& r) { r.states = states; });
  return states;
}

bool hasState(AtspiStateSet* states, AtspiStateType state) {
  return states != nullptr && atspi_state_set_contains(states, state);
}

AtspiRole roleOf(AtspiAccessible* object, GError** error) {
  if (object == nullptr) return ATSPI_ROLE_INVALID;
  if (gpointer kept = g_object_get_qdata(G_OBJECT(object), roleQuark()); kept != nullptr) {
    return static_cast<AtspiRole>(GPOINTER_TO_INT(kept) - 1);
  }
  GError* failed = nullptr;
  const AtspiRole role = atspi_accessible_get_role(object, &failed);
  if (failed != nullptr) {
    g_propagate_error(error, failed);
    return role;
  }
  g_object_set_qdata(G_OBJECT(object), roleQuark(), GINT_TO_POINTER(static_cast<int>(role) + 1));
  return role;
}

void forgetRole(AtspiAccessible* object) {
  if (object != nullptr) g_object_set_qdata(G_OBJECT(object), roleQuark(), nullptr);
}

std::optional<AtspiRole> guardedRoleOf(AtspiSession& session, AtspiAccessible* object) {
  GErrorHolder error;
  AtspiRole role = ATSPI_ROLE_INVALID;
  {
    const AppRequest request(session, object);
    if (request.refused()) return std::nullopt;
    role = roleOf(object, error.out());
  }
  if (error) {
    (void)failureCode(session, error, keyOf(object).busName);
    return std::nullopt;
  }
  return role;
}

}  // namespace axt::lindesk
