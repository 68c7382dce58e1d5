// The platform this build of the library runs on: the Linux desktop.
#include <cstdio>

#include "accessibility.h"
#include "host_windows.h"
#include "hot_keys.h"
#include "run_loop.h"
#include "workspace.h"
#include "x11_clipboard.h"
#include "xtest_keyboard.h"

namespace axt::lindesk {

namespace {

class StdoutLog final : public platform::Log {
 public:
  void writeLine(std::string_view line) override {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
};

class LinuxDesktop final : public platform::Platform {
 public:
  platform::MainRunLoop& runLoop() override { return runLoop_; }
  platform::Accessibility& accessibility() override { return accessibility_; }
  platform::Workspace& workspace() override { return workspace_; }
  platform::HotKeys& hotKeys() override { return hotKeys_; }
  platform::Keyboard& keyboard() override { return keyboard_; }
  platform::Pasteboard& pasteboard() override { return pasteboard_; }
  platform::Windows& windows() override { return windows_; }
  platform::Log& log() override { return log_; }

 private:
  GlibRunLoop runLoop_;
  AtspiAccessibility accessibility_;
  LinuxWorkspace workspace_;
  X11HotKeys hotKeys_;
  XTestKeyboard keyboard_;
  X11Clipboard pasteboard_;
  X11HostWindows windows_;
  StdoutLog log_;
};

}  // namespace

}  // namespace axt::lindesk

namespace axt::platform {

Platform& current() {
  static lindesk::LinuxDesktop desktop;
  return desktop;
}

}  // namespace axt::platform
