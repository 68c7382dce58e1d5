// The floor client's X connection: the Alt+Return grab, and the identifier
// an application's windows give (the toolkit's application id, else the
// executable's name, as the library reports it).
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <string>

namespace axbench {

struct DisplayCloser {
  void operator()(Display* d) const { XCloseDisplay(d); }
};

class X11Side {
 public:
  bool open();
  int fd() const;
  // Grabs Alt+Return on the root window, in every lock state.
  bool grabAltReturn();
  // How many presses of the grabbed key are among the events that arrived.
  int takePresses();
  std::string identifierOf(unsigned long pid);

 private:
  std::optional<std::string> toolkitIdOf(unsigned long pid);
  std::unique_ptr<Display, DisplayCloser> display_;
  int keycode_ = 0;
};

}  // namespace axbench
