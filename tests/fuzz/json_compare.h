// Equality of JSON values, containers compared member by member, with the
// caller's rule for two numbers.
#pragma once

#include <cstddef>

#include "json/json.h"

namespace axt::fuzz {

template <class SameNumber>
bool sameJson(const json::Value& a, const json::Value& b, const SameNumber& sameNumber) {
  if (a.isNumber() && b.isNumber()) return sameNumber(a, b);
  if (a.kind() != b.kind()) return false;
  if (const json::Array* x = a.asArray()) {
    const json::Array* y = b.asArray();
    if (x->size() != y->size()) return false;
    for (std::size_t i = 0; i < x->size(); ++i) {
      if (!sameJson((*x)[i], (*y)[i], sameNumber)) return false;
    }
    return true;
  }
  if (const json::Object* x = a.asObject()) {
    if (x->size() != b.asObject()->size()) return false;
    for (const auto& [key, member] : *x) {
      const json::Value* other = b.find(key);
      if (other == nullptr || !sameJson(member, *other, sameNumber)) return false;
    }
    return true;
  }
  return a == b;
}

}  // namespace axt::fuzz
