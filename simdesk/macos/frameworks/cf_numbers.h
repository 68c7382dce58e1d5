// Core Foundation numbers and Booleans. A number keeps the kind it was made
// with, integral or floating point, as the system's does.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <cstdint>
#include <variant>

#include "cf_object.h"

namespace simdesk::macos {

class NumberObject final : public Object {
 public:
  using Stored = std::variant<std::int64_t, double>;
  explicit NumberObject(Stored value) : Object(typeId()), value_(value) {}
  static CFTypeID typeId();

  const Stored& value() const { return value_; }
  bool equals(const Object& other) const override;
  std::size_t hash() const override;

 private:
  Stored value_;
};

class BooleanObject final : public Object {
 public:
  explicit BooleanObject(bool value) : Object(typeId()), value_(value) {}
  static CFTypeID typeId();
  bool value() const { return value_; }

 private:
  bool value_;
};

CFNumberRef makeNumber(NumberObject::Stored value);

}  // namespace simdesk::macos
