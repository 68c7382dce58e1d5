// What an element answers: the attributes the library reads and writes,
// mapped onto AT-SPI's interfaces (Accessible, Component, Text,
// EditableText, Collection). An application element answers for the
// application's root object.
#pragma once

#include <atspi/atspi.h>

#include <cstdint>
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
// root object becomes its application element. `bus` is the number of the
// session's connection the object belongs to (AtspiSession::connectionNumber).
platform::Element wrapElement(Pid pid, AtspiAccessible* accessible, std::uint64_t bus);

// What reading an attribute asks besides the element: the session asks
// the bus, the focus cache
// answers an application's focused element, the applications the trees
// embedded in its windows, and the observers let go of an object found gone.
struct ElementParts {
  AtspiSession& session;
  FocusCache& focus;
  Applications& applications;
  Observers& observers;
};

AXError readAttribute(const ElementParts& parts, const Target& t, const std::string& name, std::optional<Value>& out);
// `placement` places the text of a toolkit that measures it only within
// its window.
AXError readParameterized(AtspiSession& session, TextPlacement& placement, const Target& t, const std::string& name,
                          const Value& parameter, std::optional<Value>& out);
AXError checkSettable(AtspiSession& session, const Target& t, const std::string& name, bool& settable);
AXError writeAttribute(AtspiSession& session, const Target& t, const std::string& name, const Value& value);
std::vector<std::string> attributeNames(const Target& t);

}  // namespace axt::lindesk
