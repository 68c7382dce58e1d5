#include "atspi/attribute_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "atspi/atspi_session.h"
#include "atspi/element_geometry.h"
#include "atspi/element_role.h"
#include "atspi/focus_finding.h"
#include "atspi/object_failure.h"
#include "atspi/marked_text.h"
#include "atspi/text_access.h"
#include "atspi/text_replacement.h"
#include "translation/text_markers.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;
using platform::AXValue;
using platform::AXValueType;
using platform::Number;

namespace {

// A text attribute that is empty reads as having no value, so that a
// blocked-field entry without a value matches the fields that have none.
AXError textOrNoValue(std::string text, std::optional<Value>& out) {
  if (text.empty()) return axerr::kNoValue;
  out = Value(std::move(text));
  return axerr::kSuccess;
}

AXError rangeParameter(const Value& parameter, platform::Range& out) {
  const auto* v = std::get_if<AXValue>(&parameter);
  if (v == nullptr || !v->getValue(AXValueType::kCFRange, out)) return axerr::kIllegalArgument;
  return axerr::kSuccess;
}

using StringRequest = gchar* (*)(AtspiAccessible*, GError**);

// One of the object's own strings (its name, description, identifier).
AXError readObjectString(const AttributeRead& r, StringRequest ask, std::optional<Value>& out) {
  AtspiSession& session = r.parts.session;
  AtspiAccessible* a = r.t.accessible.get();
  const AppRequest request(session, a);
  if (request.refused()) return axerr::kCannotComplete;
  GErrorHolder error;
  std::string text = takeString(ask(a, error.out()));
  if (error) return objectFailure(session, r.parts.observers, error, a);
  return textOrNoValue(std::move(text), out);
}

// --- an application element

AXError applicationRole(const AttributeRead&, std::optional<Value>& out) {
  out = Value(std::string("AXApplication"));
  return axerr::kSuccess;
}

AXError applicationTitle(const AttributeRead& r, std::optional<Value>& out) {
  AtspiSession& session = r.parts.session;
  const AppRequest request(session, r.t.accessible.get());
  if (request.refused()) return axerr::kCannotComplete;
  GErrorHolder error;
  std::string title = takeString(atspi_accessible_get_name(r.t.accessible.get(), error.out()));
  if (error) return failureCode(session, error, r.t.key.busName);
  return textOrNoValue(std::move(title), out);
}

AXError applicationFocus(const AttributeRead& r, std::optional<Value>& out) {
  return focusedElementOf(r.parts.session, r.parts.focus, r.parts.applications, r.t, out);
}

// --- any other element

AXError objectRole(const AttributeRead& r, std::optional<Value>& out) {
  MappedRole role;
  if (AXError code = mappedRoleOf(r.parts.session, r.parts.observers, r.t.accessible.get(), role);
      code != axerr::kSuccess) {
    return code;
  }
  out = Value(role.role);
  return axerr::kSuccess;
}

AXError objectSubrole(const AttributeRead& r, std::optional<Value>& out) {
  MappedRole role;
  if (AXError code = mappedRoleOf(r.parts.session, r.parts.observers, r.t.accessible.get(), role);
      code != axerr::kSuccess) {
    return code;
  }
  if (!role.subrole) return axerr::kNoValue;
  out = Value(*role.subrole);
  return axerr::kSuccess;
}

AXError objectTitle(const AttributeRead& r, std::optional<Value>& out) {
  return readObjectString(r, atspi_accessible_get_name, out);
}

AXError objectDescription(const AttributeRead& r, std::optional<Value>& out) {
  return readObjectString(r, atspi_accessible_get_description, out);
}

AXError objectIdentifier(const AttributeRead& r, std::optional<Value>& out) {
  return readObjectString(r, atspi_accessible_get_accessible_id, out);
}

AXError objectPosition(const AttributeRead& r, std::optional<Value>& out) {
  return readExtent(r.parts.session, r.parts.observers, r.t.accessible.get(), Extent::kPosition, out);
}

AXError objectSize(const AttributeRead& r, std::optional<Value>& out) {
  return readExtent(r.parts.session, r.parts.observers, r.t.accessible.get(), Extent::kSize, out);
}

// --- an element's text

AXError textValue(const AttributeRead& r, std::optional<Value>& out) {
  std::string all;
  if (AXError code = readText(r.parts.session, r.text, all); code != axerr::kSuccess) return code;
  out = Value(std::move(all));
  return axerr::kSuccess;
}

// The selection and its text alone: no position is converted.
AXError textSelected(const AttributeRead& r, std::optional<Value>& out) {
  std::string selected;
  if (AXError code = readSelectedText(r.parts.session, r.text, selected); code != axerr::kSuccess) return code;
  out = Value(std::move(selected));
  return axerr::kSuccess;
}

AXError textSelectedRange(const AttributeRead& r, std::optional<Value>& out) {
  platform::Range range;
  if (AXError code = readSelectedRange(r.parts.session, r.text, range); code != axerr::kSuccess) return code;
  out = Value(AXValue(range));
  return axerr::kSuccess;
}

AXError textCharacterCount(const AttributeRead& r, std::optional<Value>& out) {
  std::int64_t count = 0;
  if (AXError code = characterCountOf(r.parts.session, r.text, count); code != axerr::kSuccess) return code;
  out = Value(Number{count});
  return axerr::kSuccess;
}

AXError textSelectedMarkers(const AttributeRead& r, std::optional<Value>& out) {
  platform::Range range;
  if (AXError code = readSelectedRange(r.parts.session, r.text, range); code != axerr::kSuccess) return code;
  out = Value(markerRangeFor(r.t.key, range));
  return axerr::kSuccess;
}

AXError writeValue(AtspiSession& session, const Target& t, AtspiText*, const Value& value) {
  if (!isEditable(session, t.accessible.get())) return axerr::kAttributeUnsupported;
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

// Written only where keys can't paste (a native client of a Wayland
// compositor): the toolkit puts the text in place of the selection.
AXError writeSelectedText(AtspiSession& session, const Target& t, AtspiText*, const Value& value) {
  const auto* s = std::get_if<std::string>(&value);
  if (s == nullptr) return axerr::kIllegalArgument;
  return replaceSelection(session, t.accessible.get(), *s);
}

AXError writeSelectedRange(AtspiSession& session, const Target&, AtspiText* text, const Value& value) {
  platform::Range range;
  if (AXError code = rangeParameter(value, range); code != axerr::kSuccess) return code;
  return selectRange(session, text, range);
}

// --- parameterized, over the text

AXError boundsForRange(const ParameterizedRead& r, std::optional<Value>& out) {
  platform::Range range;
  if (AXError code = rangeParameter(r.parameter, range); code != axerr::kSuccess) return code;
  platform::Rect rect;
  if (AXError code = boundsOfRange(r.session, r.placement, r.text, range, rect); code != axerr::kSuccess) return code;
  out = Value(AXValue(rect));
  return axerr::kSuccess;
}

AXError stringForRange(const ParameterizedRead& r, std::optional<Value>& out) {
  platform::Range range;
  if (AXError code = rangeParameter(r.parameter, range); code != axerr::kSuccess) return code;
  std::string string;
  if (AXError code = stringOfRange(r.session, r.text, range, string); code != axerr::kSuccess) return code;
  out = Value(std::move(string));
  return axerr::kSuccess;
}

AXError boundsForMarkers(const ParameterizedRead& r, std::optional<Value>& out) {
  platform::Rect rect;
  if (AXError code = boundsForMarkerRange(r.session, r.placement, r.text, r.t.key, r.parameter, rect);
      code != axerr::kSuccess) {
    return code;
  }
  out = Value(AXValue(rect));
  return axerr::kSuccess;
}

AXError stringForMarkers(const ParameterizedRead& r, std::optional<Value>& out) {
  std::string string;
  if (AXError code = stringForMarkerRange(r.session, r.text, r.t.key, r.parameter, string);
      code != axerr::kSuccess) {
    return code;
  }
  out = Value(std::move(string));
  return axerr::kSuccess;
}

constexpr std::array<AttributeEntry, 3> kApplication = {{
    {"AXRole", false, Settable::kNo, applicationRole, nullptr},
    {"AXTitle", false, Settable::kNo, applicationTitle, nullptr},
    {"AXFocusedUIElement", false, Settable::kNo, applicationFocus, nullptr},
}};

constexpr std::array<AttributeEntry, 12> kObject = {{
    {"AXRole", false, Settable::kNo, objectRole, nullptr},
    {"AXSubrole", false, Settable::kNo, objectSubrole, nullptr},
    {"AXTitle", false, Settable::kNo, objectTitle, nullptr},
    {"AXDescription", false, Settable::kNo, objectDescription, nullptr},
    {"AXIdentifier", false, Settable::kNo, objectIdentifier, nullptr},
    {"AXPosition", false, Settable::kNo, objectPosition, nullptr},
    {"AXSize", false, Settable::kNo, objectSize, nullptr},
    {"AXValue", true, Settable::kWhenEditable, textValue, writeValue},
    {"AXSelectedText", true, Settable::kWhenReplaceable, textSelected, writeSelectedText},
    {"AXSelectedTextRange", true, Settable::kYes, textSelectedRange, writeSelectedRange},
    {"AXNumberOfCharacters", true, Settable::kNo, textCharacterCount, nullptr},
    {"AXSelectedTextMarkerRange", true, Settable::kNo, textSelectedMarkers, nullptr},
}};

constexpr std::array<ParameterizedEntry, 4> kParameterized = {{
    {"AXBoundsForRange", boundsForRange},
    {"AXStringForRange", stringForRange},
    {"AXBoundsForTextMarkerRange", boundsForMarkers},
    {"AXStringForTextMarkerRange", stringForMarkers},
}};

}  // namespace

std::span<const AttributeEntry> applicationAttributes() { return kApplication; }
std::span<const AttributeEntry> objectAttributes() { return kObject; }
std::span<const ParameterizedEntry> parameterizedAttributes() { return kParameterized; }

const AttributeEntry* findAttribute(std::span<const AttributeEntry> table, std::string_view name) {
  auto it = std::find_if(table.begin(), table.end(), [&](const AttributeEntry& e) { return e.name == name; });
  return it == table.end() ? nullptr : &*it;
}

}  // namespace axt::lindesk
