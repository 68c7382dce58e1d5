#include "atspi/element_attributes.h"

#include <algorithm>

#include "atspi/element_role.h"
#include "atspi/text_access.h"
#include "atspi/text_replacement.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

std::span<const AttributeEntry> tableFor(const Target& t) {
  return t.application ? applicationAttributes() : objectAttributes();
}

}  // namespace

AXError readAttribute(const ElementParts& parts, const Target& t, const std::string& name, std::optional<Value>& out) {
  const AttributeEntry* entry = findAttribute(tableFor(t), name);
  if (entry == nullptr) return axerr::kAttributeUnsupported;
  GRef<AtspiText> text;
  if (entry->needsText) {
    text = textOf(t.accessible.get());
    if (!text) return axerr::kAttributeUnsupported;
  }
  return entry->read(AttributeRead{parts, t, text.get()}, out);
}

AXError readParameterized(AtspiSession& session, TextPlacement& placement, const Target& t, const std::string& name,
                          const Value& parameter, std::optional<Value>& out) {
  if (t.application) return axerr::kParameterizedAttributeUnsupported;
  const std::span<const ParameterizedEntry> table = parameterizedAttributes();
  auto entry = std::find_if(table.begin(), table.end(), [&](const ParameterizedEntry& e) { return e.name == name; });
  if (entry == table.end()) return axerr::kParameterizedAttributeUnsupported;
  GRef<AtspiText> text = textOf(t.accessible.get());
  if (!text) return axerr::kParameterizedAttributeUnsupported;
  const AXError code = entry->read(ParameterizedRead{session, placement, t, text.get(), parameter}, out);
  // An interface the element turned out not to have is the parameterized
  // attribute's absence.
  return code == axerr::kAttributeUnsupported ? axerr::kParameterizedAttributeUnsupported : code;
}

AXError checkSettable(AtspiSession& session, const Target& t, const std::string& name, bool& settable) {
  const AttributeEntry* entry = findAttribute(tableFor(t), name);
  if (entry == nullptr) return axerr::kAttributeUnsupported;
  if (entry->needsText && !textOf(t.accessible.get())) return axerr::kAttributeUnsupported;
  switch (entry->settable) {
    case Settable::kNo:
      settable = false;
      break;
    case Settable::kWhenEditable:
      settable = isEditable(session, t.accessible.get());
      break;
    case Settable::kWhenReplaceable:
      settable = offersReplacement(session, t.accessible.get());
      break;
    case Settable::kYes:
      settable = true;
      break;
  }
  return axerr::kSuccess;
}

AXError writeAttribute(AtspiSession& session, const Target& t, const std::string& name, const Value& value) {
  if (t.application) return axerr::kAttributeUnsupported;
  const AttributeEntry* entry = findAttribute(objectAttributes(), name);
  if (entry == nullptr || entry->write == nullptr) return axerr::kAttributeUnsupported;
  GRef<AtspiText> text = textOf(t.accessible.get());
  if (!text) return axerr::kAttributeUnsupported;
  return entry->write(session, t, text.get(), value);
}

std::vector<std::string> attributeNames(const Target& t) {
  std::vector<std::string> names;
  const bool hasText = !t.application && textOf(t.accessible.get());
  for (const AttributeEntry& e : tableFor(t)) {
    if (!e.needsText || hasText) names.emplace_back(e.name);
  }
  return names;
}

}  // namespace axt::lindesk
