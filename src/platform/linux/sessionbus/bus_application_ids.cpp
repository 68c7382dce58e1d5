#include "sessionbus/bus_application_ids.h"

#include <utility>

#include "logic/application_bus_names.h"

namespace axt::lindesk {

BusApplicationIds::BusApplicationIds(std::unique_ptr<ApplicationBus> bus, std::function<double()> clock)
    : bus_(std::move(bus)), clock_(std::move(clock)) {}

std::optional<std::string> BusApplicationIds::applicationIdOf(platform::Pid pid) {
  if (!bus_ || pid <= 0) return std::nullopt;
  if (auto it = found_.find(pid); it != found_.end()) {
    // A process of the same number later (or the application giving its
    // name up) isn't the one found.
    if (bus_->processOf(it->second) == pid) return it->second;
    found_.erase(it);
  }
  if (auto it = searchedAt_.find(pid); it != searchedAt_.end() && clock_() - it->second < kRecheckSeconds) {
    return std::nullopt;
  }
  std::optional<std::string> id = search(pid);
  if (id) {
    searchedAt_.erase(pid);
    found_[pid] = *id;
  } else {
    searchedAt_[pid] = clock_();
  }
  return id;
}

std::optional<std::string> BusApplicationIds::search(platform::Pid pid) {
  std::size_t asked = 0;
  for (const std::string& name : bus_->names()) {
    if (!mayBeApplicationId(name)) continue;
    if (++asked > kNamesPerSearch) break;
    if (bus_->processOf(name) != pid) continue;
    if (bus_->servesApplication(name, applicationObjectPath(name))) return name;
  }
  return std::nullopt;
}

}  // namespace axt::lindesk
