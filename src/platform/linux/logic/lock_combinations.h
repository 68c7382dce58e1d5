// The states of the lock modifiers (Caps Lock, Num Lock, Scroll Lock) a
// passive key grab must cover: the X server matches a grab's modifiers
// exactly, so a combination grabbed only bare would not fire while one of
// them is on.
#pragma once

#include <vector>

namespace axt::lindesk {

// Every combination of the lock modifiers in `lockMasks`, the empty one first.
std::vector<unsigned int> lockCombinations(unsigned int lockMasks);

}  // namespace axt::lindesk
