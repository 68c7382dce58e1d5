#include "atspi/element_attributes.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "atspi/focus_cache.h"
#include "atspi/object_facts.h"
#include "atspi/text_access.h"
#include "atspi/text_markers.h"
#include "logic/focus_search.h"
#include "logic/observers.h"
#include "logic/roles.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;
using platform::AXValue;
using platform::AXValueType;
using platform::Number;

namespace {

constexpr std::string_view kRootPathSuffix = "/accessible/root";

constexpr std::array<std::string_view, 3> kApplicationAttributes = {"AXRole", "AXTitle",
                                                                    "AXFocusedUIElement"};
constexpr std::array<std::string_view, 7> kObjectAttributes = {
    "AXRole", "AXSubrole", "AXTitle", "AXDescription", "AXIdentifier", "AXPosition", "AXSize"};
constexpr std::array<std::string_view, 5> kTextAttributes = {
    "AXValue", "AXSelectedText", "AXSelectedTextRange", "AXNumberOfCharacters",
    "AXSelectedTextMarkerRange"};
constexpr std::array<std::string_view, 4> kTextParameterized = {
    "AXBoundsForRange", "AXStringForRange", "AXBoundsForTextMarkerRange",
    "AXStringForTextMarkerRange"};

template <std::size_t N>
bool among(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool isRootPath(const std::string& path) {
  return path.size() >= kRootPathSuffix.size() &&
         path.compare(path.size() - kRootPathSuffix.size(), kRootPathSuffix.size(), kRootPathSuffix) == 0;
}

// An object answered for as unknown (or whose application is gone) is gone
// for good: the registrations on it let go of it.
AXError failure(AtspiSession& session, Observers& observers, const GErrorHolder& error, AtspiAccessible* a) {
  const ObjectKey key = keyOf(a);
  const AXError code = failureCode(session, error, key.busName);
  if (code == axerr::kInvalidUIElement) observers.objectGone(key, session.connectionNumber());
  return code;
}

// A text attribute that is empty reads as having no value, so that a
// blocked-field entry without a value matches the fields that have none.
AXError textOrNoValue(std::string text, std::optional<Value>& out) {
  if (text.empty()) return axerr::kNoValue;
  out = Value(std::move(text));
  return axerr::kSuccess;
}

AXError roleOf(AtspiSession& session, Observers& observers, AtspiAccessible* a, MappedRole& out) {
  GErrorHolder error;
  AtspiRole role = ATSPI_ROLE_INVALID;
  {
    const AppRequest request(session, a);
    if (request.refused()) return axerr::kCannotComplete;
    role = lindesk::roleOf(a, error.out());
  }
  if (error) return failure(session, observers, error, a);
  GRef<AtspiStateSet> states = statesOf(session, a);
  RoleTraits traits;
  traits.editable = hasState(states.get(), ATSPI_STATE_EDITABLE);
  traits.multiLine = hasState(states.get(), ATSPI_STATE_MULTI_LINE);
  traits.singleLine = hasState(states.get(), ATSPI_STATE_SINGLE_LINE);
  out = mapRole(role, traits);
  return axerr::kSuccess;
}

// Editable as the user sees it: the toolkit says so with the state, the
// same one the role mapping reads. Which interfaces it offers besides is
// the toolkit's business (Chromium offers Text but not EditableText for
// the fields the user types in).
bool isEditable(AtspiSession& session, AtspiAccessible* a) {
  GRef<AtspiStateSet> states = statesOf(session, a);
  return hasState(states.get(), ATSPI_STATE_EDITABLE);
}

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

// The focused element of an application: the one that last had the focus
// in it. An application keeps its focused element while another one is
// active, or while a grab of the keyboard (the hot key's) takes the focus
// from its window for a moment, though the toolkit then reports the element
// as not focused. Without an earlier focus event, a search of the
// application's tree for the element that holds the focus: the toolkit's
// own search where it has one, else a walk of the tree. The toolkit's own
// search stays within its own objects: when it finds nothing, the trees
// embedded in its windows are searched, and, while none is known, its tree
// is walked once for them.
AXError focusedElementOf(const ElementParts& parts, const Target& t, std::optional<Value>& out) {
  AtspiSession& session = parts.session;
  FocusCache& focus = parts.focus;
  Applications& applications = parts.applications;
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
    (void)focus.noteFocusGained(t.key.busName, h->accessible());
  }
  out = Value(element);
  return axerr::kSuccess;
}

AXError readApplication(const ElementParts& parts, const Target& t, const std::string& name, std::optional<Value>& out) {
  AtspiSession& session = parts.session;
  if (name == "AXRole") {
    out = Value(std::string("AXApplication"));
    return axerr::kSuccess;
  }
  if (name == "AXTitle") {
    const AppRequest request(session, t.accessible.get());
    if (request.refused()) return axerr::kCannotComplete;
    GErrorHolder error;
    std::string title = takeString(atspi_accessible_get_name(t.accessible.get(), error.out()));
    if (error) return failureCode(session, error, t.key.busName);
    return textOrNoValue(std::move(title), out);
  }
  if (name == "AXFocusedUIElement") return focusedElementOf(parts, t, out);
  return axerr::kAttributeUnsupported;
}

AXError readGeometry(AtspiSession& session, Observers& observers, AtspiAccessible* a, bool position,
                     std::optional<Value>& out) {
  GRef<AtspiComponent> component = GRef<AtspiComponent>::adopt(atspi_accessible_get_component_iface(a));
  if (!component) return axerr::kAttributeUnsupported;
  const AppRequest request(session, a);
  if (request.refused()) return axerr::kCannotComplete;
  GErrorHolder error;
  GBoxed<AtspiRect> rect(atspi_component_get_extents(component.get(), ATSPI_COORD_TYPE_SCREEN, error.out()));
  if (error || !rect) return failure(session, observers, error, a);
  if (position) {
    out = Value(AXValue(platform::Point{static_cast<double>(rect->x), static_cast<double>(rect->y)}));
  } else {
    out = Value(AXValue(platform::Size{static_cast<double>(rect->width), static_cast<double>(rect->height)}));
  }
  return axerr::kSuccess;
}

AXError readTextAttribute(AtspiSession& session, const Target& t, AtspiText* text, const std::string& name,
                          std::optional<Value>& out) {
  if (name == "AXValue") {
    std::string all;
    if (AXError code = readText(session, text, all); code != axerr::kSuccess) return code;
    out = Value(std::move(all));
    return axerr::kSuccess;
  }
  if (name == "AXNumberOfCharacters") {
    std::int64_t count = 0;
    if (AXError code = characterCountOf(session, text, count); code != axerr::kSuccess) return code;
    out = Value(Number{count});
    return axerr::kSuccess;
  }
  if (name == "AXSelectedText") {
    // The selection and its text alone: no position is converted.
    std::string selected;
    if (AXError code = readSelectedText(session, text, selected); code != axerr::kSuccess) return code;
    out = Value(std::move(selected));
    return axerr::kSuccess;
  }
  platform::Range range;
  if (AXError code = readSelectedRange(session, text, range); code != axerr::kSuccess) return code;
  if (name == "AXSelectedTextRange") {
    out = Value(AXValue(range));
  } else {
    out = Value(markerRangeFor(t.key, range));
  }
  return axerr::kSuccess;
}

AXError readObject(AtspiSession& session, Observers& observers, const Target& t, const std::string& name,
                   std::optional<Value>& out) {
  AtspiAccessible* a = t.accessible.get();
  if (name == "AXRole" || name == "AXSubrole") {
    MappedRole role;
    if (AXError code = roleOf(session, observers, a, role); code != axerr::kSuccess) return code;
    if (name == "AXRole") {
      out = Value(role.role);
      return axerr::kSuccess;
    }
    if (!role.subrole) return axerr::kNoValue;
    out = Value(*role.subrole);
    return axerr::kSuccess;
  }
  if (name == "AXTitle" || name == "AXDescription" || name == "AXIdentifier") {
    const AppRequest request(session, a);
    if (request.refused()) return axerr::kCannotComplete;
    GErrorHolder error;
    std::string text = takeString(name == "AXTitle"         ? atspi_accessible_get_name(a, error.out())
                                  : name == "AXDescription" ? atspi_accessible_get_description(a, error.out())
                                                            : atspi_accessible_get_accessible_id(a, error.out()));
    if (error) return failure(session, observers, error, a);
    return textOrNoValue(std::move(text), out);
  }
  if (name == "AXPosition" || name == "AXSize") return readGeometry(session, observers, a, name == "AXPosition", out);
  if (!among(kTextAttributes, name)) return axerr::kAttributeUnsupported;
  GRef<AtspiText> text = textOf(a);
  if (!text) return axerr::kAttributeUnsupported;
  return readTextAttribute(session, t, text.get(), name, out);
}

AXError rangeParameter(const Value& parameter, platform::Range& out) {
  const auto* v = std::get_if<AXValue>(&parameter);
  if (v == nullptr || !v->getValue(AXValueType::kCFRange, out)) return axerr::kIllegalArgument;
  return axerr::kSuccess;
}

}  // namespace

platform::Element wrapElement(Pid pid, AtspiAccessible* accessible, std::uint64_t bus) {
  const ObjectKey key = keyOf(accessible);
  if (isRootPath(key.path)) return ElementHandle::application(pid);
  return ElementHandle::object(pid, GRef<AtspiAccessible>::retain(accessible), bus);
}

AXError resolveTarget(AtspiSession& session, Applications& applications, const platform::Element& element,
                      Target& out) {
  if (!session.ready()) return axerr::kAPIDisabled;
  const ElementHandle* h = handleAs<ElementHandle>(element);
  if (h == nullptr) return axerr::kIllegalArgument;
  out.pid = h->pid();
  out.application = h->isApplication();
  if (h->isApplication()) {
    out.accessible = applications.applicationOf(h->pid());
    if (!out.accessible) return axerr::kCannotComplete;
    out.key = keyOf(out.accessible.get());
    if (session.unresponsive().holds(out.key.busName)) return axerr::kCannotComplete;
    return axerr::kSuccess;
  }
  // An object of a bus that went away, whatever its name on the new one.
  if (h->bus() != session.connectionNumber()) return axerr::kInvalidUIElement;
  out.accessible = GRef<AtspiAccessible>::retain(h->accessible());
  out.key = h->key();
  // Before anything is asked of an application that stopped answering.
  if (session.unresponsive().holds(out.key.busName)) return axerr::kCannotComplete;
  if (isDefunct(session, out.accessible.get())) return axerr::kInvalidUIElement;
  return axerr::kSuccess;
}

AXError readAttribute(const ElementParts& parts, const Target& t, const std::string& name, std::optional<Value>& out) {
  AtspiSession& session = parts.session;
  return t.application ? readApplication(parts, t, name, out) : readObject(session, parts.observers, t, name, out);
}

AXError readParameterized(AtspiSession& session, TextPlacement& placement, const Target& t, const std::string& name,
                          const Value& parameter, std::optional<Value>& out) {
  if (t.application || !among(kTextParameterized, name)) return axerr::kParameterizedAttributeUnsupported;
  GRef<AtspiText> text = textOf(t.accessible.get());
  if (!text) return axerr::kParameterizedAttributeUnsupported;
  const bool bounds = name == "AXBoundsForRange" || name == "AXBoundsForTextMarkerRange";
  const bool markers = name == "AXBoundsForTextMarkerRange" || name == "AXStringForTextMarkerRange";
  AXError code = axerr::kSuccess;
  platform::Rect rect;
  std::string string;
  if (markers) {
    code = bounds ? boundsForMarkerRange(session, placement, text.get(), t.key, parameter, rect)
                  : stringForMarkerRange(session, text.get(), t.key, parameter, string);
  } else {
    platform::Range range;
    code = rangeParameter(parameter, range);
    if (code == axerr::kSuccess) {
      code = bounds ? boundsOfRange(session, placement, text.get(), range, rect)
                    : stringOfRange(session, text.get(), range, string);
    }
  }
  // An interface the element turned out not to have is the parameterized
  // attribute's absence.
  if (code == axerr::kAttributeUnsupported) return axerr::kParameterizedAttributeUnsupported;
  if (code != axerr::kSuccess) return code;
  out = bounds ? Value(AXValue(rect)) : Value(std::move(string));
  return axerr::kSuccess;
}

AXError checkSettable(AtspiSession& session, const Target& t, const std::string& name, bool& settable) {
  if (t.application) {
    if (!among(kApplicationAttributes, name)) return axerr::kAttributeUnsupported;
    settable = false;
    return axerr::kSuccess;
  }
  const bool textual = among(kTextAttributes, name);
  if (!textual && !among(kObjectAttributes, name)) return axerr::kAttributeUnsupported;
  if (textual && !textOf(t.accessible.get())) return axerr::kAttributeUnsupported;
  if (name == "AXValue") {
    settable = isEditable(session, t.accessible.get());
  } else {
    settable = name == "AXSelectedTextRange";
  }
  return axerr::kSuccess;
}

AXError writeAttribute(AtspiSession& session, const Target& t, const std::string& name, const Value& value) {
  if (t.application) return axerr::kAttributeUnsupported;
  GRef<AtspiText> text = textOf(t.accessible.get());
  if (!text) return axerr::kAttributeUnsupported;
  if (name == "AXSelectedTextRange") {
    platform::Range range;
    if (AXError code = rangeParameter(value, range); code != axerr::kSuccess) return code;
    return selectRange(session, text.get(), range);
  }
  if (name == "AXValue" && isEditable(session, t.accessible.get())) {
    const auto* s = std::get_if<std::string>(&value);
    if (s == nullptr) return axerr::kIllegalArgument;
    GRef<AtspiEditableText> editable =
        GRef<AtspiEditableText>::adopt(atspi_accessible_get_editable_text_iface(t.accessible.get()));
    // Editable for the user, but not through the bus: only typing changes it.
    if (!editable) return axerr::kCannotComplete;
    const AppRequest request(session, t.accessible.get());
    if (request.refused()) return axerr::kCannotComplete;
    GErrorHolder error;
    atspi_editable_text_set_text_contents(editable.get(), s->c_str(), error.out());
    return error ? failureCode(session, error, t.key.busName) : axerr::kSuccess;
  }
  return axerr::kAttributeUnsupported;
}

std::vector<std::string> attributeNames(const Target& t) {
  std::vector<std::string> names;
  if (t.application) {
    names.assign(kApplicationAttributes.begin(), kApplicationAttributes.end());
    return names;
  }
  names.assign(kObjectAttributes.begin(), kObjectAttributes.end());
  if (textOf(t.accessible.get())) names.insert(names.end(), kTextAttributes.begin(), kTextAttributes.end());
  return names;
}

}  // namespace axt::lindesk
