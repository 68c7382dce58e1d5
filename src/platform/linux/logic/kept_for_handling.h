// What a session way asks its compositor once per handling (sway's tree,
// KWin's list of a process's windows): kept while the handling's readings
// hold, for one key, and never outside a handling.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "logic/handling_cache.h"

namespace axt::lindesk {

template <class Key, class Value>
class KeptForHandling {
 public:
  // Without `readings` nothing is ever kept.
  explicit KeptForHandling(const HandlingCache* readings) : readings_(readings) {}

  // What was kept for `key` in this handling; null when nothing was.
  const Value* find(const Key& key) const {
    const std::optional<std::uint64_t> now = era();
    if (!now || era_ != now || key_ != key) return nullptr;
    return &value_;
  }

  // Keeps `value` for `key` for the rest of the handling (for nothing
  // outside one) and gives it back.
  const Value& keep(Key key, Value value) {
    era_ = era();
    key_ = std::move(key);
    value_ = std::move(value);
    return value_;
  }

 private:
  std::optional<std::uint64_t> era() const { return readings_ != nullptr ? readings_->era() : std::nullopt; }

  const HandlingCache* readings_;
  std::optional<std::uint64_t> era_;
  Key key_{};
  Value value_{};
};

}  // namespace axt::lindesk
