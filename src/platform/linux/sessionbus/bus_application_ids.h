// Applications' own ids from the session bus, for processes whose windows
// carry none a client can read (native Wayland ones where the compositor
// tells no client their app id): the name a GApplication owns there, when
// it serves its application interface under it. A process without one is
// left to the other ways (its executable's name).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "session/window_places.h"

namespace axt::lindesk {

// What is asked of the session bus.
class ApplicationBus {
 public:
  virtual ~ApplicationBus() = default;
  // The names on the bus now.
  virtual std::vector<std::string> names() = 0;
  // The process of the connection that owns `name`.
  virtual std::optional<platform::Pid> processOf(const std::string& name) = 0;
  // Whether the owner of `name` serves GApplication's interface at `path`.
  virtual bool servesApplication(const std::string& name, const std::string& path) = 0;
};

class BusApplicationIds final : public WindowPlaces {
 public:
  // A process found without an id is looked for again after this: its name
  // comes before its first window, so rarely.
  static constexpr double kRecheckSeconds = 30.0;
  // At most this many names are asked for their process in one search.
  static constexpr std::size_t kNamesPerSearch = 64;

  BusApplicationIds(std::unique_ptr<ApplicationBus> bus, std::function<double()> clock);

  std::optional<std::string> applicationIdOf(platform::Pid pid) override;
  std::vector<XWindowPlace> shownWindowsOf(platform::Pid) override { return {}; }
  std::optional<platform::Pid> activeProcess() override { return std::nullopt; }

 private:
  std::optional<std::string> search(platform::Pid pid);

  std::unique_ptr<ApplicationBus> bus_;
  std::function<double()> clock_;
  std::map<platform::Pid, std::string> found_;
  std::map<platform::Pid, double> searchedAt_;  // found nothing then
};

// The session bus through GIO; absent where there is none.
std::unique_ptr<ApplicationBus> sessionApplicationBus();

}  // namespace axt::lindesk
