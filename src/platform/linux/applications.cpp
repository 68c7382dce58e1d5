#include "applications.h"

#include <unistd.h>

#include <array>
#include <fstream>

#include "activation.h"
#include "atspi_session.h"
#include "x11_display.h"

namespace axt::lindesk {

namespace {

std::map<std::string, Pid>& knownProcesses() {
  static std::map<std::string, Pid> processes;
  return processes;
}

std::string busNameOf(AtspiAccessible* accessible) {
  const AtspiObject& o = accessible->parent;
  return o.app != nullptr && o.app->bus_name != nullptr ? o.app->bus_name : std::string();
}

std::optional<std::string> toolkitIdOf(Pid pid) {
  for (::Window w : topLevelWindowsOf(pid)) {
    if (auto id = textProperty(w, "_GTK_APPLICATION_ID"); id && !id->empty()) return id;
  }
  return std::nullopt;
}

std::optional<std::string> executableName(Pid pid) {
  const std::string base = "/proc/" + std::to_string(pid);
  std::array<char, 4096> target{};
  const ssize_t n = readlink((base + "/exe").c_str(), target.data(), target.size() - 1);
  if (n > 0) {
    std::string path(target.data(), static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
  }
  // Another user's process: its short name is still readable.
  std::ifstream comm(base + "/comm");
  std::string name;
  if (comm && std::getline(comm, name) && !name.empty()) return name;
  return std::nullopt;
}

}  // namespace

std::optional<Pid> processOf(AtspiAccessible* accessible) {
  if (accessible == nullptr) return std::nullopt;
  const std::string bus = busNameOf(accessible);
  if (bus.empty()) return std::nullopt;
  auto& known = knownProcesses();
  if (auto it = known.find(bus); it != known.end()) return it->second;
  GErrorHolder error;
  const guint pid = atspi_accessible_get_process_id(accessible, error.out());
  if (error || pid == 0) return std::nullopt;
  known.emplace(bus, static_cast<Pid>(pid));
  return static_cast<Pid>(pid);
}

GRef<AtspiAccessible> applicationOf(Pid pid) {
  GRef<AtspiAccessible> root = desktop();
  if (!root) return {};
  GErrorHolder error;
  const gint count = atspi_accessible_get_child_count(root.get(), error.out());
  for (gint i = 0; i < count; ++i) {
    GErrorHolder childError;
    GRef<AtspiAccessible> app =
        GRef<AtspiAccessible>::adopt(atspi_accessible_get_child_at_index(root.get(), i, childError.out()));
    if (!app) continue;
    if (std::optional<Pid> p = processOf(app.get()); p && *p == pid) return app;
  }
  return {};
}

void forgetApplication(const std::string& busName) { knownProcesses().erase(busName); }

std::optional<std::string> applicationIdentifier(Pid pid) {
  if (auto id = toolkitIdOf(pid)) return id;
  return executableName(pid);
}

std::optional<std::string> LinuxRunningApplication::bundleIdentifier() const {
  if (toolkitId_) return toolkitId_;
  toolkitId_ = toolkitIdOf(pid_);
  if (toolkitId_) return toolkitId_;
  return executableName(pid_);
}

bool LinuxRunningApplication::activate(std::uint32_t /*options*/) { return activateApplicationWindow(pid_); }

std::shared_ptr<LinuxRunningApplication> runningApplication(Pid pid, AtspiAccessible* application) {
  std::optional<std::string> name;
  if (application != nullptr) {
    GErrorHolder error;
    std::string n = takeString(atspi_accessible_get_name(application, error.out()));
    if (!error && !n.empty()) name = std::move(n);
  }
  if (!name) name = executableName(pid);
  return std::make_shared<LinuxRunningApplication>(pid, std::move(name));
}

std::shared_ptr<LinuxRunningApplication> runningApplication(Pid pid) {
  GRef<AtspiAccessible> app = applicationOf(pid);
  return runningApplication(pid, app.get());
}

}  // namespace axt::lindesk
