#include "logic/activation_settling.h"

namespace axt::lindesk {

void ActivationSettling::activated(const std::string& busName, double now) {
  busName_ = busName;
  at_ = now;
}

bool ActivationSettling::settling(const std::string& busName, double now) const {
  // Only the latest activation: the application the user left is settled.
  if (!at_ || busName.empty() || busName != busName_) return false;
  return now >= *at_ && now < *at_ + kSettleSeconds;
}

}  // namespace axt::lindesk
