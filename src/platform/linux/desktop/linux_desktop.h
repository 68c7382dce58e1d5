// The platform this build of the library runs on, the Linux desktop, and
// the one owner of the backend's state: every part of the backend is a
// member here, made when the platform is first asked for and gone with it.
// Parts reach each other through references given when they are made; the
// desktop itself is reached from outside only by platform::current(). The
// free functions of the bus side are handed the session by their callers.
#pragma once

#include <string_view>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "atspi/event_listeners.h"
#include "atspi/focus_cache.h"
#include "desktop/accessibility.h"
#include "desktop/activation.h"
#include "desktop/session_choice.h"
#include "desktop/window_relative_extents.h"
#include "desktop/window_structure.h"
#include "desktop/workspace.h"
#include "glue/run_loop.h"
#include "logic/handling_cache.h"
#include "logic/observers.h"
#include "platform/platform.h"
#include "session/session_ways.h"
#include "translation/carbon_hot_keys.h"
#include "translation/core_graphics_keyboard.h"
#include "x11/x11_display.h"

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

  platform::MainRunLoop& runLoop() override { return runLoop_; }
  platform::Accessibility& accessibility() override { return accessibility_; }
  platform::Workspace& workspace() override { return workspace_; }
  platform::HotKeys& hotKeys() override { return hotKeys_; }
  platform::Keyboard& keyboard() override { return keyboard_; }
  platform::Pasteboard& pasteboard() override { return *ways_.clipboard; }
  platform::Windows& windows() override { return *ways_.hostWindows; }
  platform::Log& log() override { return log_; }

  AtspiSession& atspi() { return atspi_; }
  Applications& applications() { return applications_; }
  FocusCache& focus() { return focus_; }
  Observers& observers() { return observers_; }
  WindowStructure& windowStructure() { return windowStructure_; }
  EventListeners& listeners() { return listeners_; }
  HandlingCache& readings() { return readings_; }
  TextPlacement& textPlacement() { return textPlacement_; }

 private:
  // In the order they depend on each other; each goes before what it uses
  // when it is made. The workspace and the event listeners know each other:
  // the workspace goes first, as what the listeners tell. The session's
  // ways come once the focus is there, whose grab hold-back the hot key tells.
  StdoutLog log_;
  HandlingCache readings_;
  CachedHandling handling_;
  GlibRunLoop runLoop_;
  X11Display x11_;
  AtspiSession atspi_;
  SessionApplicationWindows applicationWindows_;
  Applications applications_;
  FocusCache focus_;
  Observers observers_;
  SessionWays ways_;
  CarbonHotKeys hotKeys_;
  CoreGraphicsKeyboard keyboard_;
  WindowStructure windowStructure_;
  SessionTextPlacement textPlacement_;
  LinuxWorkspace workspace_;
  EventListeners listeners_;
  AtspiAccessibility accessibility_;
};

}  // namespace axt::lindesk
