#include "running_application.h"

#include <memory>

#include "ns_strings.h"

namespace axt::macdesk {

namespace {

std::optional<std::string> optionalString(NSString* text) {
  if (text == nil) return std::nullopt;
  return fromNSString(text);
}

class AppKitRunningApplication final : public platform::RunningApplication {
 public:
  explicit AppKitRunningApplication(NSRunningApplication* application) : application_(application) {}

  platform::Pid processIdentifier() const override { return application_.processIdentifier; }
  std::optional<std::string> bundleIdentifier() const override {
    return optionalString(application_.bundleIdentifier);
  }
  std::optional<std::string> localizedName() const override { return optionalString(application_.localizedName); }
  bool isFinishedLaunching() const override { return application_.finishedLaunching; }
  bool activate(std::uint32_t options) override {
    return [application_ activateWithOptions:static_cast<NSApplicationActivationOptions>(options)];
  }

 private:
  NSRunningApplication* application_;  // strong
};

}  // namespace

platform::RunningApplicationRef wrapRunningApplication(NSRunningApplication* application) {
  if (application == nil) return nullptr;
  return std::make_shared<AppKitRunningApplication>(application);
}

}  // namespace axt::macdesk
