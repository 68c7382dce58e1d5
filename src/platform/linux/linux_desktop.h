// The platform this build of the library runs on, the Linux desktop, and
// the one owner of the backend's state: every part of the backend is a
// member here, made when the platform is first asked for and gone with it.
// Parts reach each other through references given when they are made; the
// desktop itself is reached from outside only by platform::current(), and
// from inside only by the X error handler, which Xlib calls without context
// of ours.
#pragma once

#include <string_view>

#include "accessibility.h"
#include "applications.h"
#include "atspi_session.h"
#include "event_listeners.h"
#include "focus_cache.h"
#include "host_windows.h"
#include "hot_keys.h"
#include "observers.h"
#include "platform/platform.h"
#include "reading_memo.h"
#include "run_loop.h"
#include "window_structure.h"
#include "workspace.h"
#include "x11_clipboard.h"
#include "x11_display.h"
#include "xtest_keyboard.h"

namespace axt::lindesk {

class StdoutLog final : public platform::Log {
 public:
  void writeLine(std::string_view line) override;
};

class LinuxDesktop final : public platform::Platform {
 public:
  LinuxDesktop();
  LinuxDesktop(const LinuxDesktop&) = delete;
  LinuxDesktop& operator=(const LinuxDesktop&) = delete;

  // The desktop platform::current() returns.
  static LinuxDesktop& instance();

  platform::MainRunLoop& runLoop() override { return runLoop_; }
  platform::Accessibility& accessibility() override { return accessibility_; }
  platform::Workspace& workspace() override { return workspace_; }
  platform::HotKeys& hotKeys() override { return hotKeys_; }
  platform::Keyboard& keyboard() override { return keyboard_; }
  platform::Pasteboard& pasteboard() override { return pasteboard_; }
  platform::Windows& windows() override { return windows_; }
  platform::Log& log() override { return log_; }

  AtspiSession& atspi() { return atspi_; }
  X11Display& x11() { return x11_; }
  Applications& applications() { return applications_; }
  FocusCache& focus() { return focus_; }
  Observers& observers() { return observers_; }
  WindowStructure& windowStructure() { return windowStructure_; }
  EventListeners& listeners() { return listeners_; }
  LinuxWorkspace& linuxWorkspace() { return workspace_; }
  ReadingMemo& readings() { return readings_; }

 private:
  // In the order they depend on each other; each goes before what it uses.
  GlibRunLoop runLoop_;
  ReadingMemo readings_;
  X11Display x11_;
  AtspiSession atspi_;
  Applications applications_;
  FocusCache focus_;
  Observers observers_;
  WindowStructure windowStructure_;
  EventListeners listeners_;
  LinuxWorkspace workspace_;
  AtspiAccessibility accessibility_;
  X11HotKeys hotKeys_;
  XTestKeyboard keyboard_;
  X11Clipboard pasteboard_;
  X11HostWindows windows_;
  StdoutLog log_;
  bool rootWatched_ = false;
};

}  // namespace axt::lindesk
