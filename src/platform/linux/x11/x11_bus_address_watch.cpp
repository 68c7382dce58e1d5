#include "x11/x11_bus_address_watch.h"

#include <utility>

#include "x11/x11_display.h"

namespace axt::lindesk {

void X11BusAddressWatch::watch(std::function<void()> published) {
  if (watched_) return;
  watched_ = true;
  x11_.watchRootProperty("AT_SPI_BUS", std::move(published));
}

}  // namespace axt::lindesk
