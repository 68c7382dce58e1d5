// The focused element of an application: the one that last had the focus
// in it. An application keeps its focused element while another one is
// active, or while a grab of the keyboard (the hot key's) takes the focus
// from its window for a moment, though the toolkit then reports the element
// as not focused. Without an earlier focus event, a search of the
// application's tree for the element that holds the focus: the toolkit's
// own search (Collection) where it has one, else a walk of the tree
// (focus_search.h). The toolkit's own search stays within its own objects:
// when it finds nothing, the trees embedded in its windows are searched,
// and, while none is known, its tree is walked once for them.
#pragma once

#include <optional>

#include "atspi/element_target.h"

namespace axt::lindesk {

class Applications;
class AtspiSession;
class FocusCache;

AXError focusedElementOf(AtspiSession& session, FocusCache& focus, Applications& applications, const Target& t,
                         std::optional<Value>& out);

}  // namespace axt::lindesk
