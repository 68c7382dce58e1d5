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
#include <vector>

#include "glue/gobject_ref.h"
#include "logic/embedded_trees.h"
#include "platform/platform.h"

namespace axt::lindesk {

using platform::Pid;

class AtspiSession;
class Applications;
class LinuxRunningApplication;

// What the applications ask of their windows, which the accessibility bus
// doesn't know and the window system does: the bus side sees it only
// through this.
class ApplicationWindows {
 public:
  virtual ~ApplicationWindows() = default;
  // The toolkit's application id from one of the process's shown windows
  // (see Applications::toolkitIdOf).
  virtual std::optional<std::string> applicationIdOf(Pid pid) = 0;
  // Brings the process's window to the front; false when it has none.
  virtual bool activate(Applications& applications, Pid pid) = 0;
};

class Applications {
 public:
  Applications(AtspiSession& session, ApplicationWindows& windows) : session_(session), windows_(windows) {}
  Applications(const Applications&) = delete;
  Applications& operator=(const Applications&) = delete;

  // The process behind an accessible object (any object of an
  // application): for an object of a tree embedded in another
  // application's window, that application's (embedded_trees.h). Known
  // processes are remembered by bus name (a bus name is never given to
  // another connection), so that asking again costs no request; absent
  // when the bus can't tell.
  std::optional<Pid> processOf(AtspiAccessible* accessible);

  // The bus name of the application whose window holds the object: its
  // own connection's, unless its tree is embedded in another
  // application's (or that can't be told now).
  std::string applicationBusOf(AtspiAccessible* accessible);

  // The tops of the trees known to be embedded in the windows of the
  // application at `busName`.
  std::vector<GRef<AtspiAccessible>> embeddedTreesOf(const std::string& busName) const;
  // A walk down the tree of the application at `holder` reached `top`, a
  // child of `parent` on another connection. The walk knows whose tree it
  // is in; asking the bus again would cost requests the walk's budget
  // doesn't see.
  void noteEmbedded(AtspiAccessible* top, AtspiAccessible* parent, const std::string& holder);
  // Whether the application's tree was looked through for embedded ones
  // (once per connection: later ones are learnt from their events).
  bool lookedThrough(const std::string& busName) const { return trees_.lookedThrough(busName); }
  void noteLookedThrough(const std::string& busName) { trees_.noteLookedThrough(busName); }

  // The application at `busName` left the bus.
  void applicationGone(const std::string& busName);

  // The root object of the application of a process, searched among the
  // desktop's children (once, while the application stays on the bus);
  // empty when the process has none on the bus.
  GRef<AtspiAccessible> applicationOf(Pid pid);

  // Forgets which process had which bus name and application object: the
  // bus went away, and the new one gives its names anew.
  void forgetBusNames();

  // The toolkit's application id from one of the process's shown windows:
  // empty when it has shown windows and none carries one, absent while it
  // has shown none (a window may still bring one). Read once while the
  // process has windows (ApplicationWindows).
  std::optional<std::string> toolkitIdOf(Pid pid);

  // Brings the process's window to the front (ApplicationWindows).
  bool activate(Pid pid);

  // The workspace's object for a process: its name from the bus.
  std::shared_ptr<LinuxRunningApplication> runningApplication(Pid pid);
  std::shared_ptr<LinuxRunningApplication> runningApplication(Pid pid, AtspiAccessible* application);

 private:
  AtspiSession& session_;
  ApplicationWindows& windows_;
  std::map<std::string, Pid> knownProcesses_;
  // The application object of each process found so far.
  std::map<Pid, GRef<AtspiAccessible>> roots_;
  // Which application holds the objects of each connection met.
  EmbeddedTrees<GRef<AtspiAccessible>> trees_;
};

// The workspace's object for one running application.
class LinuxRunningApplication final : public platform::RunningApplication {
 public:
  LinuxRunningApplication(Applications& applications, Pid pid, std::optional<std::string> name)
      : applications_(applications), pid_(pid), name_(std::move(name)) {}

  Pid processIdentifier() const override { return pid_; }
  std::optional<std::string> bundleIdentifier() const override;
  std::optional<std::string> localizedName() const override { return name_; }
  bool isFinishedLaunching() const override { return true; }
  bool activate(std::uint32_t options) override;

 private:
  Applications& applications_;
  Pid pid_;
  std::optional<std::string> name_;
  // The toolkit's id (empty: it has none), known for good once the application
  // has shown a window. Until then the executable's name is given, and the
  // windows are looked at again next time.
  mutable std::optional<std::string> toolkitId_;
};

}  // namespace axt::lindesk
