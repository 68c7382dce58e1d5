#include "sequence/delivery_checker.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "check.h"
#include "host/delivery/event_delivery.h"
#include "json/json.h"
#include "json_compare.h"
#include "utf8_oracle.h"
#include "text/utf8.h"

namespace axt::fuzz {

namespace {

// Virtual times are sums of a few doubles; allow for their rounding.
constexpr double kSlack = 1e-9;
constexpr double kDeliveryAfter = 2 * host::kDeliveryDelay;

constexpr std::string_view kEventNames[] = {"app_changed", "focused_changed", "caret",
                                            "text_select", "ui_reized",       "alt_enter_pressed",
                                            "error",       "mouse_hoverd"};

// Equal data, doubles compared to the bit: an event may carry NaN (an
// application's coordinates can be anything), which equals nothing.
bool sameData(const json::Value& a, const json::Value& b) {
  return sameJson(a, b, [](const json::Value& x, const json::Value& y) {
    if (x.kind() != y.kind()) return false;
    const double* d = x.asDouble();
    return d != nullptr ? std::memcmp(d, y.asDouble(), sizeof(double)) == 0 : x == y;
  });
}

std::string describe(std::string_view name, std::string_view json) {
  return std::string(name) + " " + std::string(json);
}

}  // namespace

void DeliveryChecker::reset() { *this = DeliveryChecker(); }

void DeliveryChecker::handOver(double at, host::EventParams params, bool callbackRegistered) {
  if (!handOverTimes_.empty()) check(at >= handOverTimes_.back(), "virtual time never goes back");
  Pending p;
  p.at = at;
  // What the host must receive: compact JSON, repaired into valid UTF-8.
  p.name = text::toValidUtf8(params.notification);
  p.json = text::toValidUtf8(json::write(json::Value(params.data)));
  p.params = std::move(params);
  pending_ = std::move(p);
  callbackSinceHandOver_ = callbackRegistered;
  undisturbedSinceHandOver_ = true;
  handOverTimes_.push_back(at);
}

void DeliveryChecker::delivered(double at, std::string_view name, std::string_view json) {
  if (deliveries_ > 0 && at < lastDeliveryAt_) fail("deliveries come in time order", describe(name, json));
  lastDeliveryAt_ = at;
  ++deliveries_;

  if (!pending_) fail("a delivery carries a hand-over made since the previous one", describe(name, json));
  if (name != pending_->name || json != pending_->json) {
    fail("a delivery carries the last hand-over, unchanged",
         "got " + describe(name, json) + ", handed over " + describe(pending_->name, pending_->json));
  }
  if (deliveries_ > handOverTimes_.size()) fail("no more deliveries than hand-overs");
  const double earliest = handOverTimes_[deliveries_ - 1] + kDeliveryAfter;
  if (at + kSlack < earliest) {
    char detail[160];
    std::snprintf(detail, sizeof detail, "delivery %zu at %.9f, hand-over %zu at %.9f", deliveries_,
                  at, deliveries_, handOverTimes_[deliveries_ - 1]);
    fail("the k-th delivery comes 0.18 s or more after the k-th hand-over", detail);
  }

  check(isValidUtf8(name) && isValidUtf8(json), "the host receives valid UTF-8");
  check(std::find(std::begin(kEventNames), std::end(kEventNames), name) != std::end(kEventNames),
        "the event is one of the library's", name);
  json::ParseResult parsed = json::parse(json);
  if (!parsed || !parsed.value->isObject()) fail("the JSON text reads back as an object", json);
  if (name == "caret" || name == "mouse_hoverd") check(json == "{}", "this event has no data", json);
  pending_.reset();
}

void DeliveryChecker::slotEmptied() { pending_.reset(); }

void DeliveryChecker::callbackRemoved() { callbackSinceHandOver_ = false; }

void DeliveryChecker::loopDisturbed() { undisturbedSinceHandOver_ = false; }

void DeliveryChecker::checkSlot(const std::optional<host::EventParams>& slot,
                                std::string_view when) const {
  const bool same = slot.has_value() == pending_.has_value() &&
                    (!slot || (slot->notification == pending_->params.notification &&
                               sameData(json::Value(slot->data), json::Value(pending_->params.data))));
  if (same) return;
  std::string detail = std::string(when) + ": slot holds ";
  detail += slot ? slot->notification : std::string("nothing");
  detail += ", expected ";
  detail += pending_ ? pending_->params.notification : std::string("nothing");
  fail("the pending slot holds the last undelivered hand-over", detail);
}

void DeliveryChecker::checkNotOverdue(double now) const {
  if (!pending_ || !callbackSinceHandOver_ || !undisturbedSinceHandOver_) return;
  if (now > pending_->at + kDeliveryAfter + 1e-6) {
    char detail[160];
    std::snprintf(detail, sizeof detail, "%s handed over at %.9f, still pending at %.9f",
                  pending_->name.c_str(), pending_->at, now);
    fail("an event is delivered 0.18 s after its hand-over at the latest", detail);
  }
}

bool DeliveryChecker::owesDelivery() const { return pending_ && callbackSinceHandOver_; }

std::optional<double> DeliveryChecker::lastHandOverAt() const {
  if (handOverTimes_.empty()) return std::nullopt;
  return handOverTimes_.back();
}

}  // namespace axt::fuzz
