#include "logic/earlier_offer.h"

namespace axt::lindesk {

void EarlierOffer::retire(std::vector<ServedTarget> targets, ServerTime from, ServerTime until, double nowSeconds) {
  if (targets.empty() || from == 0) return;
  kept_ = Kept{std::move(targets), from, until, nowSeconds};
}

void EarlierOffer::closeAt(ServerTime until) {
  if (kept_ && kept_->until == 0) kept_->until = until;
}

void EarlierOffer::expire(double nowSeconds) {
  if (kept_ && nowSeconds - kept_->retiredAt > kKeptFor) kept_.reset();
}

const std::vector<ServedTarget>* EarlierOffer::servedAt(ServerTime time, double nowSeconds) {
  expire(nowSeconds);
  if (!kept_) return nullptr;
  if (time == 0 || time < kept_->from) return nullptr;
  if (kept_->until != 0 && time >= kept_->until) return nullptr;
  return &kept_->targets;
}

}  // namespace axt::lindesk
