#include "atspi/focus_finding.h"

#include <string>
#include <utility>
#include <vector>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "atspi/focus_cache.h"
#include "atspi/object_facts.h"
#include "glue/monotonic_clock.h"
#include "logic/focus_search.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

// A tree the focus search walks: the application's objects, read over the
// bus, and those of the trees embedded in its windows, which a child on
// another connection begins (embedded_trees.h): each one met is noted as
// embedded in `holder`, the application whose tree is walked. Each call is
// one request, as the search's budget counts them.
class BusTree {
 public:
  BusTree(AtspiSession& session, Applications& applications, std::string holder)
      : session_(session), applications_(applications), holder_(std::move(holder)) {}

  std::optional<NodeStates> states(const GRef<AtspiAccessible>& node) {
    GRef<AtspiStateSet> set = statesOf(session_, node.get());
    if (!set || hasState(set.get(), ATSPI_STATE_DEFUNCT)) return std::nullopt;
    NodeStates s;
    s.focused = hasState(set.get(), ATSPI_STATE_FOCUSED);
    s.active = hasState(set.get(), ATSPI_STATE_ACTIVE);
    s.shown = hasState(set.get(), ATSPI_STATE_SHOWING) || hasState(set.get(), ATSPI_STATE_VISIBLE);
    s.managesDescendants = hasState(set.get(), ATSPI_STATE_MANAGES_DESCENDANTS);
    s.saysNothing = atspi_state_set_is_empty(set.get()) != FALSE;
    return s;
  }
  std::size_t childCount(const GRef<AtspiAccessible>& node) {
    const AppRequest request(session_, node.get());
    if (request.refused()) return 0;
    GErrorHolder error;
    const gint count = atspi_accessible_get_child_count(node.get(), error.out());
    if (error) {
      (void)failureCode(session_, error, keyOf(node.get()).busName);
      return 0;
    }
    return count > 0 ? static_cast<std::size_t>(count) : 0;
  }
  std::optional<GRef<AtspiAccessible>> childAt(const GRef<AtspiAccessible>& node, std::size_t i) {
    GRef<AtspiAccessible> child;
    {
      const AppRequest request(session_, node.get());
      if (request.refused()) return std::nullopt;
      GErrorHolder error;
      child = GRef<AtspiAccessible>::adopt(
          atspi_accessible_get_child_at_index(node.get(), static_cast<gint>(i), error.out()));
      if (error) {
        (void)failureCode(session_, error, keyOf(node.get()).busName);
        return std::nullopt;
      }
    }
    if (!child || !reachable(child.get())) return std::nullopt;
    if (keyOf(child.get()).busName != keyOf(node.get()).busName) {
      applications_.noteEmbedded(child.get(), node.get(), holder_);
    }
    return child;
  }

 private:
  AtspiSession& session_;
  Applications& applications_;
  std::string holder_;
};

using BusFocusSearch = FocusSearch<GRef<AtspiAccessible>, BusTree>;

// The search of the toolkit's own (Collection) under `root`: one request.
// Absent when it offers none; an empty result when it found nothing.
std::optional<AXError> collectionSearch(AtspiSession& session, AtspiAccessible* root, GRef<AtspiAccessible>& found) {
  GRef<AtspiCollection> collection = GRef<AtspiCollection>::adopt(atspi_accessible_get_collection_iface(root));
  if (!collection) return std::nullopt;
  const AppRequest request(session, root);
  if (request.refused()) return axerr::kCannotComplete;
  const GArrayPtr wanted(g_array_new(FALSE, FALSE, sizeof(AtspiStateType)));
  const AtspiStateType focusedState = ATSPI_STATE_FOCUSED;
  g_array_append_val(wanted.get(), focusedState);
  GRef<AtspiStateSet> states = GRef<AtspiStateSet>::adopt(atspi_state_set_new(wanted.get()));
  GRef<AtspiMatchRule> rule = GRef<AtspiMatchRule>::adopt(atspi_match_rule_new(
      states.get(), ATSPI_Collection_MATCH_ALL, nullptr, ATSPI_Collection_MATCH_ALL, nullptr,
      ATSPI_Collection_MATCH_ALL, nullptr, ATSPI_Collection_MATCH_ALL, FALSE));
  GErrorHolder error;
  const std::vector<GRef<AtspiAccessible>> matches = adoptAccessibles(GArrayPtr(atspi_collection_get_matches(
      collection.get(), rule.get(), ATSPI_Collection_SORT_ORDER_CANONICAL, 1, TRUE, error.out())));
  if (error) return failureCode(session, error, keyOf(root).busName);
  for (const GRef<AtspiAccessible>& m : matches) {
    if (m) {
      found = m;
      break;
    }
  }
  return axerr::kSuccess;
}

// The focused element in the trees known to be embedded in the
// application's windows: each one's own search where it has one (then the
// innermost focused element under its match), else a walk of it.
GRef<AtspiAccessible> embeddedFocus(AtspiSession& session, Applications& applications, const Target& t) {
  BusTree tree(session, applications, t.key.busName);
  for (const GRef<AtspiAccessible>& top : applications.embeddedTreesOf(t.key.busName)) {
    if (!reachable(top.get()) || isDefunct(session, top.get())) continue;
    BusFocusSearch search(tree, FocusSearchLimits{});
    GRef<AtspiAccessible> found;
    if (std::optional<AXError> code = collectionSearch(session, top.get(), found)) {
      if (*code == axerr::kSuccess && found) return search.innermost(found);
      continue;
    }
    if (std::optional<GRef<AtspiAccessible>> walked = search.run({top})) return *walked;
  }
  return {};
}

// A walk of the application's tree (focus_search.h), into the trees
// embedded in it too.
GRef<AtspiAccessible> walkForFocus(AtspiSession& session, Applications& applications, const Target& t) {
  BusTree tree(session, applications, t.key.busName);
  BusFocusSearch search(tree, FocusSearchLimits{});
  return search.runUnder(t.accessible).value_or(GRef<AtspiAccessible>());
}

}  // namespace

AXError focusedElementOf(AtspiSession& session, FocusCache& focus, Applications& applications, const Target& t,
                         std::optional<Value>& out) {
  if (GRef<AtspiAccessible> cached = focus.cachedFocus(t.key.busName)) {
    if (!isDefunct(session, cached.get())) {
      out = Value(wrapElement(t.pid, cached.get(), session.connectionNumber()));
      return axerr::kSuccess;
    }
  }
  GRef<AtspiAccessible> found;
  if (std::optional<AXError> code = collectionSearch(session, t.accessible.get(), found)) {
    if (*code != axerr::kSuccess) return *code;
    if (!found) found = embeddedFocus(session, applications, t);
    if (!found && !applications.lookedThrough(t.key.busName) && applications.embeddedTreesOf(t.key.busName).empty()) {
      applications.noteLookedThrough(t.key.busName);
      found = walkForFocus(session, applications, t);
    }
  } else {
    found = walkForFocus(session, applications, t);
  }
  if (!found) return axerr::kNoValue;
  const platform::Element element = wrapElement(t.pid, found.get(), session.connectionNumber());
  if (const auto* h = handleAs<ElementHandle>(element); h != nullptr && h->accessible() != nullptr) {
    (void)focus.noteFocusGained(t.key.busName, h->accessible(), monotonicSeconds());
  }
  out = Value(element);
  return axerr::kSuccess;
}

}  // namespace axt::lindesk
