#include "atspi/applications.h"

#include <vector>

#include "atspi/atspi_session.h"
#include "glue/process_name.h"
#include "logic/handles.h"

namespace axt::lindesk {

namespace {

// The name an application gives itself on the bus, asked once: it names
// itself when it connects, and the object is that connection's (a new
// process, or a new bus, is a new object).
std::optional<std::string> nameOnBus(AtspiSession& session, AtspiAccessible* application) {
  static const GQuark kName = g_quark_from_static_string("axtrack-application-name");
  if (!reachable(application)) return std::nullopt;
  if (const auto* kept = static_cast<const char*>(g_object_get_qdata(G_OBJECT(application), kName))) {
    return std::string(kept);
  }
  GErrorHolder error;
  std::string name;
  {
    const AppRequest request(session, application);
    if (request.refused()) return std::nullopt;
    name = takeString(atspi_accessible_get_name(application, error.out()));
  }
  if (error) (void)failureCode(session, error, keyOf(application).busName);
  // Not kept when it can't be read or is empty: asked again next time.
  if (error || name.empty()) return std::nullopt;
  g_object_set_qdata_full(G_OBJECT(application), kName, g_strdup(name.c_str()), g_free);
  return name;
}

// The bus as embedded_trees.h walks it: one request for a parent, none for
// the applications of the desktop, which libatspi keeps.
class BusProbe {
 public:
  explicit BusProbe(AtspiSession& session) : session_(session) {}

  static std::string busOf(const GRef<AtspiAccessible>& node) { return keyOf(node.get()).busName; }
  static bool isDesktop(const std::string& bus) { return bus == kRegistryBusName; }
  bool isApplication(const std::string& bus) {
    GRef<AtspiAccessible> desktop = session_.desktopObject();
    return static_cast<bool>(
        findChild(session_, desktop.get(), [&](AtspiAccessible* app) { return keyOf(app).busName == bus; }));
  }
  ParentAnswer<GRef<AtspiAccessible>> parentOf(const GRef<AtspiAccessible>& node) {
    ParentAnswer<GRef<AtspiAccessible>> answer;
    GErrorHolder error;
    GRef<AtspiAccessible> parent;
    {
      const AppRequest request(session_, node.get());
      if (request.refused()) return answer;
      parent = GRef<AtspiAccessible>::adopt(atspi_accessible_get_parent(node.get(), error.out()));
    }
    if (error) {
      (void)failureCode(session_, error, busOf(node));
      return answer;
    }
    answer.answered = true;
    if (parent && reachable(parent.get())) answer.parent = std::move(parent);
    return answer;
  }

 private:
  AtspiSession& session_;
};

}  // namespace

std::optional<Pid> Applications::processOf(AtspiAccessible* accessible) {
  if (!reachable(accessible)) return std::nullopt;
  const std::string bus = keyOf(accessible).busName;
  if (bus.empty()) return std::nullopt;
  if (auto it = knownProcesses_.find(bus); it != knownProcesses_.end()) return it->second;
  // An embedded tree's objects are the holding application's: its process
  // is asked for with an object of its own connection. When that can't be
  // told now, the connection's own process stands in, as for any
  // application, and is not kept.
  BusProbe probe(session_);
  const auto placement = trees_.placementOf(probe, GRef<AtspiAccessible>::retain(accessible));
  AtspiAccessible* asked = accessible;
  if (placement && placement->holder != bus && placement->holderNode) {
    if (auto it = knownProcesses_.find(placement->holder); it != knownProcesses_.end()) {
      knownProcesses_.emplace(bus, it->second);
      return it->second;
    }
    asked = placement->holderNode->get();
  }
  // Asked of the bus, not of the application (whose connection's process
  // the bus knows): answered however the application fares.
  GErrorHolder error;
  const guint pid = atspi_accessible_get_process_id(asked, error.out());
  if (error || pid == 0) return std::nullopt;
  if (placement) {
    knownProcesses_.emplace(bus, static_cast<Pid>(pid));
    if (asked != accessible) knownProcesses_.emplace(placement->holder, static_cast<Pid>(pid));
  }
  return static_cast<Pid>(pid);
}

std::string Applications::applicationBusOf(AtspiAccessible* accessible) {
  const std::string bus = keyOf(accessible).busName;
  if (bus.empty() || !reachable(accessible)) return bus;
  BusProbe probe(session_);
  const auto placement = trees_.placementOf(probe, GRef<AtspiAccessible>::retain(accessible));
  return placement ? placement->holder : bus;
}

std::vector<GRef<AtspiAccessible>> Applications::embeddedTreesOf(const std::string& busName) const {
  return trees_.treesIn(busName);
}

void Applications::noteEmbedded(AtspiAccessible* top, AtspiAccessible* parent, const std::string& holder) {
  trees_.noteEmbedded(keyOf(top).busName, holder, GRef<AtspiAccessible>::retain(top),
                      GRef<AtspiAccessible>::retain(parent));
}

void Applications::applicationGone(const std::string& busName) { trees_.applicationGone(busName); }

GRef<AtspiAccessible> Applications::applicationOf(Pid pid) {
  // Found once: libatspi empties the object of an application that left
  // the bus, which then is looked for again.
  if (auto it = roots_.find(pid); it != roots_.end() && reachable(it->second.get())) return it->second;
  GRef<AtspiAccessible> root = session_.desktopObject();
  GRef<AtspiAccessible> found = findChild(session_, root.get(), [&](AtspiAccessible* app) {
    const std::optional<Pid> p = processOf(app);
    return p && *p == pid;
  });
  if (found) {
    roots_[pid] = found;
  } else {
    roots_.erase(pid);
  }
  return found;
}

std::optional<std::string> Applications::toolkitIdOf(Pid pid) { return windows_.applicationIdOf(pid); }

void Applications::forgetBusNames() {
  knownProcesses_.clear();
  roots_.clear();
  trees_.forgetAll();
}

bool Applications::activate(Pid pid) { return windows_.activate(*this, pid); }

std::shared_ptr<LinuxRunningApplication> Applications::runningApplication(Pid pid, AtspiAccessible* application) {
  std::optional<std::string> name = nameOnBus(session_, application);
  if (!name) name = executableName(pid);
  return std::make_shared<LinuxRunningApplication>(*this, pid, std::move(name));
}

std::shared_ptr<LinuxRunningApplication> Applications::runningApplication(Pid pid) {
  GRef<AtspiAccessible> app = applicationOf(pid);
  return runningApplication(pid, app.get());
}

std::optional<std::string> LinuxRunningApplication::bundleIdentifier() const {
  if (!toolkitId_) toolkitId_ = applications_.toolkitIdOf(pid_);
  if (toolkitId_ && !toolkitId_->empty()) return toolkitId_;
  return executableName(pid_);
}

bool LinuxRunningApplication::activate(std::uint32_t /*options*/) { return applications_.activate(pid_); }

}  // namespace axt::lindesk
