// The workspace's object for one running application. The library may keep
// it as long as it likes, across quits and even across a reset of the
// desktop, so it holds what it answers itself and asks the current desktop
// only to activate.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace simdesk::detail {

using axt::platform::Pid;

// What every object of one application shares with the desktop's registry.
struct AppRecord {
  Pid pid = 0;
  std::optional<std::string> bundleId;
  std::optional<std::string> name;
  bool finishedLaunching = true;
  bool running = true;
};

class RunningAppObject final : public axt::platform::RunningApplication {
 public:
  explicit RunningAppObject(std::shared_ptr<AppRecord> record) : record_(std::move(record)) {}

  Pid processIdentifier() const override { return record_->pid; }
  std::optional<std::string> bundleIdentifier() const override { return record_->bundleId; }
  std::optional<std::string> localizedName() const override { return record_->name; }
  bool isFinishedLaunching() const override { return record_->finishedLaunching; }
  bool activate(std::uint32_t options) override;

 private:
  std::shared_ptr<AppRecord> record_;
};

}  // namespace simdesk::detail
