// The platform this build of the library runs on, macOS, and the one owner
// of the backend's state: every part of the backend is a member here, made
// when the platform is first asked for and gone with it. Parts reach each
// other through references given when they are made; the desktop itself is
// reached from outside only by platform::current(). The system calls back
// into the parts (observers, event handlers, blocks, AppKit's messages)
// with contexts the parts hand it, never through here.
#pragma once

#include <string_view>

#include "accessibility.h"
#include "host_windows.h"
#include "hot_keys.h"
#include "keyboard.h"
#include "observers.h"
#include "pasteboard.h"
#include "platform/platform.h"
#include "run_loop.h"
#include "workspace.h"

namespace axt::macdesk {

class StdoutLog final : public platform::Log {
 public:
  void writeLine(std::string_view line) override;
};

class MacDesktop final : public platform::Platform {
 public:
  MacDesktop() : accessibility_(observers_) {}
  MacDesktop(const MacDesktop&) = delete;
  MacDesktop& operator=(const MacDesktop&) = delete;

  platform::MainRunLoop& runLoop() override { return runLoop_; }
  platform::Accessibility& accessibility() override { return accessibility_; }
  platform::Workspace& workspace() override { return workspace_; }
  platform::HotKeys& hotKeys() override { return hotKeys_; }
  platform::Keyboard& keyboard() override { return keyboard_; }
  platform::Pasteboard& pasteboard() override { return pasteboard_; }
  platform::Windows& windows() override { return windows_; }
  platform::Log& log() override { return log_; }

 private:
  // In the order they depend on each other; each goes before what it uses.
  MacRunLoop runLoop_;
  Observers observers_;
  AXAccessibility accessibility_;
  AppKitWorkspace workspace_;
  CarbonHotKeys hotKeys_;
  CGKeyboard keyboard_;
  AppKitPasteboard pasteboard_;
  AppKitWindows windows_;
  StdoutLog log_;
};

}  // namespace axt::macdesk
