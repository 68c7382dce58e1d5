// What an element answers: the attributes the library reads and writes,
// mapped onto AT-SPI's interfaces (Accessible, Component, Text,
// EditableText, Collection). An application element answers for the
// application's root object.
#pragma once

#include <atspi/atspi.h>

#include <optional>
#include <string>
#include <vector>

#include "glue/gobject_ref.h"
#include "logic/handles.h"
#include "platform/platform.h"

namespace axt::lindesk {

using platform::AXError;
using platform::Value;

struct Target {
  Pid pid = 0;
  GRef<AtspiAccessible> accessible;  // the application's root for an application element
  bool application = false;
  ObjectKey key;
};

class Applications;
class AtspiSession;
class FocusCache;
class Observers;
class TextPlacement;

// Finds what an element names: kAPIDisabled without a bus, kIllegalArgument
// for a handle of another kind, kCannotComplete for a process with no
// application on the bus, kInvalidUIElement for an object that is gone.
AXError resolveTarget(AtspiSession& session, Applications& applications, const platform::Element& element,
                      Target& out);

// The element for an accessible object of process `pid`; an application's
// root object becomes its application element.
platform::Element wrapElement(Pid pid, AtspiAccessible* accessible);

// What reading an attribute asks besides the element: the focus cache
// answers an application's focused element, the applications the trees
// embedded in its windows, and the observers let go of an object found gone.
struct ElementParts {
  FocusCache& focus;
  Applications& applications;
  Observers& observers;
};

AXError readAttribute(const ElementParts& parts, const Target& t, const std::string& name, std::optional<Value>& out);
// `placement` places the text of a toolkit that measures it only within
// its window.
AXError readParameterized(TextPlacement& placement, const Target& t, const std::string& name,
                          const Value& parameter, std::optional<Value>& out);
AXError checkSettable(const Target& t, const std::string& name, bool& settable);
AXError writeAttribute(const Target& t, const std::string& name, const Value& value);
std::vector<std::string> attributeNames(const Target& t);

}  // namespace axt::lindesk
