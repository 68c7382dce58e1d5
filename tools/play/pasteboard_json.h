// The pasteboard as scenario files write it: an array of items, each an
// object from type to data.
#pragma once

#include <string>
#include <vector>

#include "simdesk/desktop.h"

namespace play {

// Compact JSON; data that isn't valid UTF-8 is repaired for the writer.
std::string pasteboardJson(const std::vector<simdesk::PasteboardItem>& items);

}  // namespace play
