// A new accessibility bus's launcher publishes its address on the X root
// window (AT_SPI_BUS), where libatspi looks first.
#pragma once

#include <functional>

#include "session/bus_address_watch.h"

namespace axt::lindesk {

class X11Display;

class X11BusAddressWatch final : public BusAddressWatch {
 public:
  explicit X11BusAddressWatch(X11Display& x11) : x11_(x11) {}

  // Watched once, however often asked.
  void watch(std::function<void()> published) override;

 private:
  X11Display& x11_;
  bool watched_ = false;
};

}  // namespace axt::lindesk
