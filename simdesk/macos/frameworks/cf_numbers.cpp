#include "cf_numbers.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace simdesk::macos {

namespace {

// The C type behind each number type on a 64-bit Mac.
enum class Kind { kInteger, kFloat };
struct Layout {
  Kind kind;
  std::size_t size;
};

Layout layoutOf(CFNumberType type, const char* function) {
  switch (type) {
    case kCFNumberSInt8Type:
    case kCFNumberCharType:
      return {Kind::kInteger, 1};
    case kCFNumberSInt16Type:
    case kCFNumberShortType:
      return {Kind::kInteger, 2};
    case kCFNumberSInt32Type:
    case kCFNumberIntType:
      return {Kind::kInteger, 4};
    case kCFNumberSInt64Type:
    case kCFNumberLongType:
    case kCFNumberLongLongType:
    case kCFNumberCFIndexType:
    case kCFNumberNSIntegerType:
      return {Kind::kInteger, 8};
    case kCFNumberFloat32Type:
    case kCFNumberFloatType:
      return {Kind::kFloat, 4};
    case kCFNumberFloat64Type:
    case kCFNumberDoubleType:
    case kCFNumberCGFloatType:
      return {Kind::kFloat, 8};
  }
  misuse(function, "is handed an unknown number type");
}

std::int64_t readInteger(const void* p, std::size_t size) {
  switch (size) {
    case 1: {
      std::int8_t v;
      std::memcpy(&v, p, 1);
      return v;
    }
    case 2: {
      std::int16_t v;
      std::memcpy(&v, p, 2);
      return v;
    }
    case 4: {
      std::int32_t v;
      std::memcpy(&v, p, 4);
      return v;
    }
    default: {
      std::int64_t v;
      std::memcpy(&v, p, 8);
      return v;
    }
  }
}

// Writes `v` in `size` bytes; false when it doesn't fit (the system then
// stores the truncated value and answers false).
bool writeInteger(std::int64_t v, void* p, std::size_t size) {
  switch (size) {
    case 1: {
      const auto t = static_cast<std::int8_t>(v);
      std::memcpy(p, &t, 1);
      return t == v;
    }
    case 2: {
      const auto t = static_cast<std::int16_t>(v);
      std::memcpy(p, &t, 2);
      return t == v;
    }
    case 4: {
      const auto t = static_cast<std::int32_t>(v);
      std::memcpy(p, &t, 4);
      return t == v;
    }
    default:
      std::memcpy(p, &v, 8);
      return true;
  }
}

}  // namespace

CFTypeID NumberObject::typeId() {
  static const CFTypeID id = typeNamed("CFNumber");
  return id;
}

bool NumberObject::equals(const Object& other) const {
  const Stored& o = static_cast<const NumberObject&>(other).value_;
  const auto asDouble = [](const Stored& s) {
    return std::holds_alternative<double>(s) ? std::get<double>(s) : static_cast<double>(std::get<std::int64_t>(s));
  };
  if (value_.index() == o.index()) return value_ == o;
  return asDouble(value_) == asDouble(o);
}

std::size_t NumberObject::hash() const {
  if (const auto* i = std::get_if<std::int64_t>(&value_)) return std::hash<std::int64_t>{}(*i);
  const double d = std::get<double>(value_);
  // Integral doubles hash as the integer they equal.
  if (std::trunc(d) == d && std::fabs(d) < 9.2e18) return std::hash<std::int64_t>{}(static_cast<std::int64_t>(d));
  return std::hash<double>{}(d);
}

CFTypeID BooleanObject::typeId() {
  static const CFTypeID id = typeNamed("CFBoolean");
  return id;
}

CFNumberRef makeNumber(NumberObject::Stored value) {
  return refOf<CFNumberRef>(keep(std::make_unique<NumberObject>(value)));
}

namespace {

CFBooleanRef constantBoolean(bool value) {
  auto* b = keep(std::make_unique<BooleanObject>(value));
  b->makeImmortal();
  return refOf<CFBooleanRef>(b);
}

}  // namespace

}  // namespace simdesk::macos

using simdesk::macos::as;
using simdesk::macos::BooleanObject;
using simdesk::macos::NumberObject;

extern "C" {

const CFBooleanRef kCFBooleanTrue = simdesk::macos::constantBoolean(true);
const CFBooleanRef kCFBooleanFalse = simdesk::macos::constantBoolean(false);

CFTypeID CFBooleanGetTypeID(void) { return BooleanObject::typeId(); }

Boolean CFBooleanGetValue(CFBooleanRef boolean) { return as<BooleanObject>(boolean, "CFBooleanGetValue").value(); }

CFTypeID CFNumberGetTypeID(void) { return NumberObject::typeId(); }

CFNumberRef CFNumberCreate(CFAllocatorRef /*allocator*/, CFNumberType type, const void* value) {
  if (value == nullptr) simdesk::macos::misuse("CFNumberCreate", "is handed no value");
  const auto layout = simdesk::macos::layoutOf(type, "CFNumberCreate");
  if (layout.kind == simdesk::macos::Kind::kInteger) {
    return simdesk::macos::makeNumber(simdesk::macos::readInteger(value, layout.size));
  }
  if (layout.size == 4) {
    float f;
    std::memcpy(&f, value, 4);
    return simdesk::macos::makeNumber(static_cast<double>(f));
  }
  double d;
  std::memcpy(&d, value, 8);
  return simdesk::macos::makeNumber(d);
}

Boolean CFNumberIsFloatType(CFNumberRef number) {
  return std::holds_alternative<double>(as<NumberObject>(number, "CFNumberIsFloatType").value());
}

Boolean CFNumberGetValue(CFNumberRef number, CFNumberType type, void* out) {
  const NumberObject::Stored& v = as<NumberObject>(number, "CFNumberGetValue").value();
  if (out == nullptr) simdesk::macos::misuse("CFNumberGetValue", "has nowhere to write");
  const auto layout = simdesk::macos::layoutOf(type, "CFNumberGetValue");
  if (layout.kind == simdesk::macos::Kind::kInteger) {
    if (const auto* i = std::get_if<std::int64_t>(&v)) return simdesk::macos::writeInteger(*i, out, layout.size);
    const double d = std::get<double>(v);
    const bool inRange = std::isfinite(d) && d >= -9.2233720368547758e18 && d < 9.2233720368547758e18;
    const auto truncated = inRange ? static_cast<std::int64_t>(d) : std::int64_t{0};
    const bool fits = simdesk::macos::writeInteger(truncated, out, layout.size);
    return fits && inRange && static_cast<double>(truncated) == d;
  }
  const double d = std::holds_alternative<double>(v) ? std::get<double>(v)
                                                     : static_cast<double>(std::get<std::int64_t>(v));
  if (layout.size == 4) {
    const auto f = static_cast<float>(d);
    std::memcpy(out, &f, 4);
    return static_cast<double>(f) == d || std::isnan(d);
  }
  std::memcpy(out, &d, 8);
  // Exact unless an integer too wide for a double's mantissa.
  if (const auto* i = std::get_if<std::int64_t>(&v)) {
    return d < 9.2233720368547758e18 && static_cast<std::int64_t>(d) == *i;
  }
  return true;
}

}  // extern "C"
