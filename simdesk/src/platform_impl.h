// The platform object the library reaches through current(). Its services
// hold no state of their own, so references to them stay good across every
// reset of the desktop.
#pragma once

#include "accessibility.h"
#include "guarded_accessibility.h"
#include "hot_keys.h"
#include "keyboard.h"
#include "log.h"
#include "main_loop.h"
#include "pasteboard.h"
#include "platform/platform.h"
#include "windows.h"
#include "workspace.h"

namespace simdesk::detail {

class PlatformImpl final : public axt::platform::Platform {
 public:
  axt::platform::MainRunLoop& runLoop() override { return runLoop_; }
  axt::platform::Accessibility& accessibility() override { return accessibility_; }
  axt::platform::Workspace& workspace() override { return workspace_; }
  axt::platform::HotKeys& hotKeys() override { return hotKeys_; }
  axt::platform::Keyboard& keyboard() override { return keyboard_; }
  axt::platform::Pasteboard& pasteboard() override { return pasteboard_; }
  axt::platform::Windows& windows() override { return windows_; }
  axt::platform::Log& log() override { return log_; }

 private:
  RunLoopService runLoop_;
  AccessibilityService accessibility_;
  WorkspaceService workspace_;
  HotKeyService hotKeys_;
  KeyboardService keyboard_;
  PasteboardService pasteboard_;
  WindowsService windows_;
  LogService log_;
};

// The platform the library built over this desktop reaches through
// current(): the desktop's own services, but for accessibility requests to
// applications that stopped answering (guarded_accessibility.h).
class LibraryPlatform final : public axt::platform::Platform {
 public:
  explicit LibraryPlatform(axt::platform::Platform& desktop)
      : desktop_(desktop), accessibility_(desktop.accessibility()) {}

  axt::platform::MainRunLoop& runLoop() override { return desktop_.runLoop(); }
  axt::platform::Accessibility& accessibility() override { return accessibility_; }
  axt::platform::Workspace& workspace() override { return desktop_.workspace(); }
  axt::platform::HotKeys& hotKeys() override { return desktop_.hotKeys(); }
  axt::platform::Keyboard& keyboard() override { return desktop_.keyboard(); }
  axt::platform::Pasteboard& pasteboard() override { return desktop_.pasteboard(); }
  axt::platform::Windows& windows() override { return desktop_.windows(); }
  axt::platform::Log& log() override { return desktop_.log(); }

 private:
  axt::platform::Platform& desktop_;
  GuardedAccessibility accessibility_;
};

}  // namespace simdesk::detail
