// When a window becomes active, its toolkit puts the focus back where it
// was, some by a detour (Firefox gives it to a panel of its own first), and
// reports each step as a focus gain. The "app_changed" for the activation
// already tells the host where the user is; focus reports that come with it
// settle the application's focused element without a notification of
// their own, which would otherwise replace the activation's. So do the
// caret reports some toolkits send as their window becomes active, the
// caret where it was.
//
// Times are seconds on any clock that doesn't go back.
#pragma once

#include <optional>
#include <string>

namespace axt::lindesk {

class ActivationSettling {
 public:
  // How long after an activation the toolkit's focus reports belong to it.
  static constexpr double kSettleSeconds = 0.3;

  // The application at `busName` was activated, in place of another.
  void activated(const std::string& busName, double now);
  // True while a focus or caret report from `busName` belongs to its
  // activation.
  bool settling(const std::string& busName, double now) const;

 private:
  std::string busName_;
  std::optional<double> at_;
};

}  // namespace axt::lindesk
