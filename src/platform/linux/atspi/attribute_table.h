// The attributes an element answers, each with its reading (and writing)
// in one place: the name the core asks for, what the element must offer,
// and the function that asks the bus. The names are the accessibility
// interface's own, and the core's.
#pragma once

#include <atspi/atspi.h>

#include <optional>
#include <span>
#include <string_view>

#include "atspi/element_target.h"

namespace axt::lindesk {

class Applications;
class AtspiSession;
class FocusCache;
class Observers;
class TextPlacement;

// What reading an attribute asks besides the element: the session asks
// the bus, the focus cache answers an application's focused element, the
// applications the trees embedded in its windows, and the observers let go
// of an object found gone.
struct ElementParts {
  AtspiSession& session;
  FocusCache& focus;
  Applications& applications;
  Observers& observers;
};

// One reading: `text` is the element's Text interface for the attributes
// that need one, else null.
struct AttributeRead {
  const ElementParts& parts;
  const Target& t;
  AtspiText* text;
};

// kWhenReplaceable: editable, and the bus can change its text
// (text_replacement.h).
enum class Settable { kNo, kWhenEditable, kWhenReplaceable, kYes };

struct AttributeEntry {
  std::string_view name;
  bool needsText;
  Settable settable;
  AXError (*read)(const AttributeRead& r, std::optional<Value>& out);
  // Null for an attribute that is only read.
  AXError (*write)(AtspiSession& session, const Target& t, AtspiText* text, const Value& value);
};

// In the order the element lists them.
std::span<const AttributeEntry> applicationAttributes();
std::span<const AttributeEntry> objectAttributes();
const AttributeEntry* findAttribute(std::span<const AttributeEntry> table, std::string_view name);

struct ParameterizedRead {
  AtspiSession& session;
  TextPlacement& placement;
  const Target& t;
  AtspiText* text;
  const Value& parameter;
};

// The parameterized attributes, all of an element's text.
struct ParameterizedEntry {
  std::string_view name;
  AXError (*read)(const ParameterizedRead& r, std::optional<Value>& out);
};

std::span<const ParameterizedEntry> parameterizedAttributes();

}  // namespace axt::lindesk
