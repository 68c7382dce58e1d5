// What an element answers: the attributes the library reads and writes
// (attribute_table.h), mapped onto AT-SPI's interfaces (Accessible,
// Component, Text, EditableText, Collection). An application element
// answers for the application's root object.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "atspi/attribute_table.h"
#include "atspi/element_target.h"

namespace axt::lindesk {

class AtspiSession;
class TextPlacement;

AXError readAttribute(const ElementParts& parts, const Target& t, const std::string& name, std::optional<Value>& out);
// `placement` places the text of a toolkit that measures it only within
// its window.
AXError readParameterized(AtspiSession& session, TextPlacement& placement, const Target& t, const std::string& name,
                          const Value& parameter, std::optional<Value>& out);
AXError checkSettable(AtspiSession& session, const Target& t, const std::string& name, bool& settable);
AXError writeAttribute(AtspiSession& session, const Target& t, const std::string& name, const Value& value);
std::vector<std::string> attributeNames(const Target& t);

}  // namespace axt::lindesk
