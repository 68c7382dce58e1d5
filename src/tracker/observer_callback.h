// The fixed C observer callbacks the handlers are reached through: each
// takes the tracker back from its context, holds it and the element for the
// length of the run, and runs one handler.
#pragma once

#include <string>

#include "tracker/mac_accessibility.h"

namespace axt::tracker {

template <void (MacAccessibility::*Handler)(const platform::Element&)>
void observerCallback(const platform::Observer&, const platform::Element& element,
                      const std::string&, void* context) {
  if (auto tracker = trackerFromContext(context)) {
    const platform::Element held = element;
    ((*tracker).*Handler)(held);
  }
}

}  // namespace axt::tracker
