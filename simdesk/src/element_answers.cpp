#include "element_answers.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "attribute_values.h"
#include "handles.h"
#include "text_geometry.h"
#include "utf16_text.h"

namespace simdesk::detail {

namespace axerr = axt::platform::axerr;
using axt::platform::AXValue;
using axt::platform::AXValueType;
using axt::platform::Number;
using axt::platform::TextMarker;
using axt::platform::TextMarkerRange;

namespace {

constexpr std::array<std::string_view, 3> kApplicationAttributes = {
    "AXRole", "AXFocusedUIElement", "AXEnhancedUserInterface"};
constexpr std::array<std::string_view, 3> kElementAttributes = {"AXRole", "AXPosition", "AXSize"};
constexpr std::array<std::string_view, 4> kTextAttributes = {
    "AXValue", "AXSelectedText", "AXSelectedTextRange", "AXNumberOfCharacters"};
constexpr std::string_view kMarkerAttribute = "AXSelectedTextMarkerRange";

// Parameterized attributes don't appear in the attribute list; besides the
// ones computed here, fixed answers may name others of the usual families.
bool isParameterizedName(std::string_view name) {
  constexpr std::array<std::string_view, 5> kSuffixes = {"ForRange", "ForTextMarkerRange",
                                                         "ForIndex", "ForLine", "ForPosition"};
  return std::any_of(kSuffixes.begin(), kSuffixes.end(), [&](std::string_view s) {
    return name.size() > s.size() && name.substr(name.size() - s.size()) == s;
  });
}

template <std::size_t N>
bool among(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool computesPlain(const Target& t, std::string_view name) {
  if (t.element == nullptr) return among(kApplicationAttributes, name);
  const SimElement& e = *t.element;
  if (among(kElementAttributes, name)) return true;
  if (!e.isText()) return false;
  return among(kTextAttributes, name) || (e.markers && name == kMarkerAttribute);
}

bool computesParameterized(const Target& t, std::string_view name) {
  if (t.element == nullptr || !t.element->isText()) return false;
  if (name == "AXBoundsForRange" || name == "AXStringForRange") return true;
  return t.element->markers &&
         (name == "AXBoundsForTextMarkerRange" || name == "AXStringForTextMarkerRange");
}

const std::map<std::string, AttrValue>& fixedAnswers(const Target& t) {
  return t.element != nullptr ? t.element->attributes : t.app.attributes;
}

// The error map applies to every request about one attribute of an element.
std::optional<AXError> mappedError(const Target& t, const std::string& name) {
  if (t.element == nullptr) return std::nullopt;
  auto it = t.element->errors.find(name);
  if (it == t.element->errors.end()) return std::nullopt;
  return it->second;
}

bool supports(const Target& t, const std::string& name) {
  return fixedAnswers(t).count(name) > 0 || computesPlain(t, name) || computesParameterized(t, name);
}

TextMarker markerAt(const Target& t, std::int64_t position) {
  return TextMarker(std::make_shared<MarkerHandle>(t.generation, t.element->pid, t.element->id,
                                                   position));
}

AXError readApplication(const Target& t, const std::string& name, std::optional<Value>& out) {
  if (name == "AXRole") {
    out = Value(std::string("AXApplication"));
  } else if (name == "AXFocusedUIElement") {
    const SimElement* focused = t.app.focused ? t.apps.element(*t.app.focused) : nullptr;
    if (focused == nullptr || focused->pid != t.app.record->pid) return axerr::kNoValue;
    out = Value(ElementHandle::element(t.generation, focused->pid, focused->id));
  } else if (name == "AXEnhancedUserInterface") {
    out = Value(t.app.enhancedUserInterface);
  } else {
    return axerr::kAttributeUnsupported;
  }
  return axerr::kSuccess;
}

AXError readElement(const Target& t, const std::string& name, std::optional<Value>& out) {
  const SimElement& e = *t.element;
  if (name == "AXRole") {
    if (!e.role) return axerr::kNoValue;
    out = Value(*e.role);
    return axerr::kSuccess;
  }
  if (name == "AXPosition") {
    out = Value(AXValue(e.frame.origin));
    return axerr::kSuccess;
  }
  if (name == "AXSize") {
    out = Value(AXValue(e.frame.size));
    return axerr::kSuccess;
  }
  if (!computesPlain(t, name)) return axerr::kAttributeUnsupported;

  const Utf16Text text(*e.text);
  const Range sel = e.selection;
  if (name == "AXValue") {
    out = Value(*e.text);
  } else if (name == "AXSelectedText") {
    out = Value(text.slice(sel.location, sel.location + sel.length));
  } else if (name == "AXSelectedTextRange") {
    out = Value(AXValue(sel));
  } else if (name == "AXNumberOfCharacters") {
    out = Value(Number{text.length()});
  } else {  // the selected marker range
    TextMarker start = markerAt(t, sel.location);
    TextMarker end = markerAt(t, sel.location + sel.length);
    out = Value(TextMarkerRange(std::make_shared<MarkerRangeHandle>(start.shared(), end.shared())));
  }
  return axerr::kSuccess;
}

// The units a parameter names in the element's text, or an error.
AXError parameterRange(const Target& t, bool markers, const Value& parameter,
                       const Utf16Text& text, Range& out) {
  if (!markers) {
    const auto* v = std::get_if<AXValue>(&parameter);
    Range r;
    if (v == nullptr || !v->getValue(AXValueType::kCFRange, r) || !text.contains(r)) {
      return axerr::kIllegalArgument;
    }
    out = text.widened(r);
    return axerr::kSuccess;
  }
  const auto* ref = std::get_if<TextMarkerRange>(&parameter);
  const MarkerRangeHandle* range = ref != nullptr ? handleAs<MarkerRangeHandle>(*ref) : nullptr;
  if (range == nullptr) return axerr::kIllegalArgument;
  const MarkerHandle* a = range->firstMarker();
  const MarkerHandle* b = range->secondMarker();
  const auto ours = [&](const MarkerHandle* m) {
    return m != nullptr && m->generation() == t.generation && m->pid() == t.element->pid &&
           m->elementId() == t.element->id;
  };
  if (!ours(a) || !ours(b)) return axerr::kIllegalArgument;
  // Markers outlive edits of the text: they are kept inside it.
  const std::int64_t p = std::clamp<std::int64_t>(a->position(), 0, text.length());
  const std::int64_t q = std::clamp<std::int64_t>(b->position(), 0, text.length());
  out = text.widened(Range{std::min(p, q), std::max(p, q) - std::min(p, q)});
  return axerr::kSuccess;
}

}  // namespace

AXError readAttribute(const Target& t, const std::string& name, std::optional<Value>& out) {
  if (auto code = mappedError(t, name)) return *code;
  const auto& fixed = fixedAnswers(t);
  if (auto it = fixed.find(name); it != fixed.end()) {
    return toPlatformValue(it->second, t.apps, t.generation, out);
  }
  return t.element == nullptr ? readApplication(t, name, out) : readElement(t, name, out);
}

AXError readParameterized(const Target& t, const std::string& name, const Value& parameter,
                          std::optional<Value>& out) {
  if (auto code = mappedError(t, name)) return *code;
  const auto& fixed = fixedAnswers(t);
  if (auto it = fixed.find(name); it != fixed.end()) {
    return toPlatformValue(it->second, t.apps, t.generation, out);
  }
  if (!computesParameterized(t, name)) return axerr::kAttributeUnsupported;

  const SimElement& e = *t.element;
  const Utf16Text text(*e.text);
  const bool markers = name == "AXBoundsForTextMarkerRange" || name == "AXStringForTextMarkerRange";
  Range r;
  if (AXError code = parameterRange(t, markers, parameter, text, r); code != axerr::kSuccess) {
    return code;
  }
  const bool bounds = name == "AXBoundsForRange" || name == "AXBoundsForTextMarkerRange";
  if (bounds) {
    out = Value(AXValue(boundsOfRange(text, e.frame.origin, r.location, r.location + r.length)));
  } else {
    out = Value(text.slice(r.location, r.location + r.length));
  }
  return axerr::kSuccess;
}

AXError checkSettable(const Target& t, const std::string& name, bool& settable) {
  if (auto code = mappedError(t, name)) return *code;
  if (t.element == nullptr) {
    if (name == "AXEnhancedUserInterface") {
      settable = true;
      return axerr::kSuccess;
    }
  } else if (t.element->isText()) {
    if (name == "AXValue") {
      settable = t.element->editable;
      return axerr::kSuccess;
    }
    if (name == "AXSelectedTextRange") {
      settable = true;
      return axerr::kSuccess;
    }
    if (name == "AXSelectedText" && t.element->replaceable && supports(t, name)) {
      settable = t.element->editable;
      return axerr::kSuccess;
    }
  }
  if (!supports(t, name)) return axerr::kAttributeUnsupported;
  settable = false;
  return axerr::kSuccess;
}

WriteOutcome writeAttribute(const Target& t, const std::string& name, const Value& value) {
  if (auto code = mappedError(t, name)) return {*code, false};
  if (t.element == nullptr) {
    if (name != "AXEnhancedUserInterface") return {axerr::kAttributeUnsupported, false};
    const bool* b = std::get_if<bool>(&value);
    if (b == nullptr) return {axerr::kIllegalArgument, false};
    t.app.enhancedUserInterface = *b;
    return {};
  }
  SimElement& e = *t.element;
  if (e.isText() && e.editable && name == "AXValue") {
    const auto* s = std::get_if<std::string>(&value);
    if (s == nullptr) return {axerr::kIllegalArgument, false};
    e.text = *s;
    e.selection = Utf16Text(*e.text).clamped(e.selection);
    return {};
  }
  if (e.isText() && e.editable && e.replaceable && name == "AXSelectedText") {
    const auto* s = std::get_if<std::string>(&value);
    if (s == nullptr) return {axerr::kIllegalArgument, false};
    replaceSelection(e, *s);
    return {axerr::kSuccess, true};
  }
  if (e.isText() && name == "AXSelectedTextRange") {
    const auto* v = std::get_if<AXValue>(&value);
    Range r;
    if (v == nullptr || !v->getValue(AXValueType::kCFRange, r)) return {axerr::kIllegalArgument, false};
    const Range clamped = Utf16Text(*e.text).clamped(r);
    if (clamped == e.selection) return {};
    e.selection = clamped;
    return {axerr::kSuccess, true};
  }
  // Not settable, whether the attribute is supported or not.
  return {axerr::kAttributeUnsupported, false};
}

std::vector<std::string> attributeNames(const Target& t) {
  std::vector<std::string> names;
  const auto add = [&](std::string_view name) {
    if (isParameterizedName(name)) return;
    if (std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
  };
  if (t.element == nullptr) {
    for (auto n : kApplicationAttributes) add(n);
  } else {
    for (auto n : kElementAttributes) add(n);
    if (t.element->isText()) {
      for (auto n : kTextAttributes) add(n);
      if (t.element->markers) add(kMarkerAttribute);
    }
  }
  for (const auto& [name, answer] : fixedAnswers(t)) add(name);
  if (t.element != nullptr) {
    for (const auto& [name, code] : t.element->errors) {
      if (code != axerr::kAttributeUnsupported) add(name);
    }
  }
  return names;
}

}  // namespace simdesk::detail
