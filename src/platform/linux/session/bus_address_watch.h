// Where the session publishes the accessibility bus's address when a new
// bus starts, so that the bus side can connect to it at once rather than
// at its next retry.
#pragma once

#include <functional>

namespace axt::lindesk {

class BusAddressWatch {
 public:
  virtual ~BusAddressWatch() = default;
  // Calls `published` whenever a new address is published, for the life of
  // the session's connection. A session that publishes none never calls it.
  virtual void watch(std::function<void()> published) = 0;
};

}  // namespace axt::lindesk
