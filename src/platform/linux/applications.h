// The applications on the accessibility bus: which process each one is,
// what it is called, and the identifier that stands in for a bundle
// identifier (the toolkit's application id when one of its windows carries
// one, else the name of its executable).
#pragma once

#include <atspi/atspi.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "gobject_ref.h"
#include "platform/platform.h"

namespace axt::lindesk {

using platform::Pid;

// The process behind an accessible object (any object of an application).
// Known processes are remembered by bus name, so that asking again costs no
// request; absent when the bus can't tell.
std::optional<Pid> processOf(AtspiAccessible* accessible);

// The root object of the application of a process, searched among the
// desktop's children; empty when the process has none on the bus.
GRef<AtspiAccessible> applicationOf(Pid pid);

// Forgets what is known of an application that left the bus.
void forgetApplication(const std::string& busName);

// The identifier of a process's application: the toolkit's id from one of
// its windows, or its executable's name; absent for a process that is gone.
std::optional<std::string> applicationIdentifier(Pid pid);

// The workspace's object for one running application.
class LinuxRunningApplication final : public platform::RunningApplication {
 public:
  LinuxRunningApplication(Pid pid, std::optional<std::string> name)
      : pid_(pid), name_(std::move(name)) {}

  Pid processIdentifier() const override { return pid_; }
  std::optional<std::string> bundleIdentifier() const override;
  std::optional<std::string> localizedName() const override { return name_; }
  bool isFinishedLaunching() const override { return true; }
  bool activate(std::uint32_t options) override;

 private:
  Pid pid_;
  std::optional<std::string> name_;
  // The toolkit's id, once a window has shown it; until then the
  // executable's name is given, and looked for again next time.
  mutable std::optional<std::string> toolkitId_;
};

// The application object of a process: its name from the bus.
std::shared_ptr<LinuxRunningApplication> runningApplication(Pid pid);
std::shared_ptr<LinuxRunningApplication> runningApplication(Pid pid, AtspiAccessible* application);

}  // namespace axt::lindesk
