// The workspace: its own notification centre (activations and launches of
// applications, each with the application under NSWorkspaceApplicationKey)
// and the frontmost application, from AppKit's shared workspace.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace axt::macdesk {

class AppKitWorkspace final : public platform::Workspace {
 public:
  AppKitWorkspace();
  AppKitWorkspace(const AppKitWorkspace&) = delete;
  AppKitWorkspace& operator=(const AppKitWorkspace&) = delete;
  ~AppKitWorkspace() override;

  // The block runs on the thread that posts, the main thread for the
  // workspace's notifications.
  void addObserver(std::string_view name,
                   std::function<void(const platform::WorkspaceNotification&)> block) override;
  platform::RunningApplicationRef frontmostApplication() override;
  platform::Pid currentProcessIdentifier() override;

 private:
  // The observations' tokens (Objective-C objects), kept since they can't
  // be removed.
  struct Observations;
  std::unique_ptr<Observations> observations_;
};

}  // namespace axt::macdesk
