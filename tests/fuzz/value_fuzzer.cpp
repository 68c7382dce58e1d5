// Conversion of platform values to plain values, for every plain kind, over
// values built from the input: every kind a read can return, numbers at and
// past every boundary (NaN with any payload, infinities, -0, 2^53, 2^63,
// the int64 extremes, subnormals), accessibility values of every kind the
// platform seam can build (point, size, rect, range, error), references with
// and without an object behind them, and values of unknown kinds.
//
// Properties, for every value and kind asked for:
// - nothing crashes, and no sanitizer speaks;
// - a kind from the conversion table gives itself, unchanged to the bit,
//   exactly when that kind is asked for, and nothing when another one is;
// - a number gives an integer, a double or a Boolean only without loss:
//   an integer from an integral finite double in [-2^63, 2^63), a double
//   from an integer whose every neighbour a double also holds (|i| <= 2^53),
//   a Boolean from a number equal to 0 or 1; it gives nothing otherwise;
// - values outside the table (a size, an error, a Boolean, unknown kinds)
//   never give text or a reference, and whatever else they give loses
//   nothing.
//
// An accessibility value of the illegal kind can't be built through the
// seam's value type, so it is not among the inputs.
#include "fuzz_input.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "ax/attributes.h"
#include "check.h"

namespace {

using axt::fuzz::check;
using axt::fuzz::FuzzInput;
using axt::platform::AXValue;
using axt::platform::AXValueType;
using axt::platform::Element;
using axt::platform::Number;
using axt::platform::OtherValue;
using axt::platform::Point;
using axt::platform::Range;
using axt::platform::Rect;
using axt::platform::Size;
using axt::platform::TextMarker;
using axt::platform::TextMarkerRange;
using axt::platform::Value;

constexpr double kTwoTo53 = 9007199254740992.0;
constexpr double kTwoTo63 = 9223372036854775808.0;

// A platform object of the fuzzer's own, identified by a number.
class FuzzHandle final : public axt::platform::Handle {
 public:
  explicit FuzzHandle(std::uint8_t id) : id_(id) {}
  bool equals(const Handle& other) const override {
    const auto* o = dynamic_cast<const FuzzHandle*>(&other);
    return o != nullptr && o->id_ == id_;
  }
  std::size_t hash() const override { return id_; }

 private:
  std::uint8_t id_;
};

template <class RefT>
RefT makeRef(FuzzInput& in) {
  if (in.ConsumeBool()) return RefT();  // no object behind it
  return RefT(std::make_shared<FuzzHandle>(in.ConsumeIntegral<std::uint8_t>()));
}

double makeDouble(FuzzInput& in) {
  static constexpr double kSpecial[] = {
      0.0, -0.0, 1.0, -1.0, 0.5, 2.0, kTwoTo53, kTwoTo53 + 2, -kTwoTo53, kTwoTo63, -kTwoTo63,
      std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
      std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
      std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
      std::numeric_limits<double>::lowest(), 9223372036854774784.0 /* the double below 2^63 */, 1e300, -1e-300};
  if (in.ConsumeBool()) return in.PickValueInArray(kSpecial);
  return std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
}

std::int64_t makeInt(FuzzInput& in) {
  static constexpr std::int64_t kTwo53 = std::int64_t{1} << 53;
  static constexpr std::int64_t kSpecial[] = {0, 1, -1, 2, kTwo53, kTwo53 + 1, kTwo53 + 2, -kTwo53, -kTwo53 - 1,
                                              std::numeric_limits<std::int64_t>::max(),
                                              std::numeric_limits<std::int64_t>::min()};
  if (in.ConsumeBool()) return in.PickValueInArray(kSpecial);
  return in.ConsumeIntegral<std::int64_t>();
}

Value makeValue(FuzzInput& in) {
  switch (in.ConsumeIntegralInRange(0, 12)) {
    case 0:
      return in.ConsumeRandomLengthString(64);
    case 1:
      return Number{makeInt(in)};
    case 2:
      return Number{makeDouble(in)};
    case 3:
      return in.ConsumeBool();
    case 4:
      return AXValue(Point{makeDouble(in), makeDouble(in)});
    case 5:
      return AXValue(Size{makeDouble(in), makeDouble(in)});
    case 6:
      return AXValue(Rect{{makeDouble(in), makeDouble(in)}, {makeDouble(in), makeDouble(in)}});
    case 7:
      return AXValue(Range{makeInt(in), makeInt(in)});
    case 8:
      return AXValue::error(in.ConsumeIntegral<std::int32_t>());
    case 9:
      return makeRef<Element>(in);
    case 10:
      return makeRef<TextMarker>(in);
    case 11:
      return makeRef<TextMarkerRange>(in);
    default:
      return OtherValue{in.ConsumeRandomLengthString(16)};
  }
}

bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }
bool sameBits(const Point& a, const Point& b) { return sameBits(a.x, b.x) && sameBits(a.y, b.y); }
bool sameBits(const Rect& a, const Rect& b) {
  return sameBits(a.origin, b.origin) && sameBits(a.size.width, b.size.width) &&
         sameBits(a.size.height, b.size.height);
}

// The kind of accessibility value, when the value is one.
std::optional<AXValueType> axKind(const Value& v) {
  if (const auto* ax = std::get_if<AXValue>(&v)) return ax->type();
  return std::nullopt;
}

template <class G>
std::optional<G> wrapped(const Value& v, AXValueType kind) {
  const auto* ax = std::get_if<AXValue>(&v);
  G out{};
  if (ax == nullptr || !ax->getValue(kind, out)) return std::nullopt;
  return out;
}

// A reference kind gives itself when asked for, and no other value gives one.
template <class RefT>
void checkReference(const Value& v) {
  std::optional<RefT> got = axt::ax::axValueToPlain<RefT>(v);
  const auto* ref = std::get_if<RefT>(&v);
  check(got.has_value() == (ref != nullptr), "a reference comes from that reference only");
  if (got) check(got->handle() == ref->handle() && *got == *ref, "the reference is the same object");
}

void checkString(const Value& v) {
  std::optional<std::string> got = axt::ax::axValueToPlain<std::string>(v);
  const auto* s = std::get_if<std::string>(&v);
  check(got.has_value() == (s != nullptr), "text comes from text only");
  if (got) check(*got == *s, "text is unchanged");
}

void checkGeometry(const Value& v) {
  const std::optional<AXValueType> kind = axKind(v);
  std::optional<Point> point = axt::ax::axValueToPlain<Point>(v);
  check(point.has_value() == (kind == AXValueType::kCGPoint), "a point comes from a point only");
  if (point) check(sameBits(*point, *wrapped<Point>(v, AXValueType::kCGPoint)), "point unchanged");

  std::optional<Rect> rect = axt::ax::axValueToPlain<Rect>(v);
  check(rect.has_value() == (kind == AXValueType::kCGRect), "a rect comes from a rect only");
  if (rect) check(sameBits(*rect, *wrapped<Rect>(v, AXValueType::kCGRect)), "rect unchanged");

  std::optional<Range> range = axt::ax::axValueToPlain<Range>(v);
  check(range.has_value() == (kind == AXValueType::kCFRange), "a range comes from a range only");
  if (range) check(*range == *wrapped<Range>(v, AXValueType::kCFRange), "range unchanged");
}

void checkNumbers(const Value& v) {
  std::optional<std::int64_t> asInt = axt::ax::axValueToPlain<std::int64_t>(v);
  std::optional<double> asDouble = axt::ax::axValueToPlain<double>(v);
  std::optional<bool> asBool = axt::ax::axValueToPlain<bool>(v);

  const auto* number = std::get_if<Number>(&v);
  if (number == nullptr) {
    // Outside the table a Boolean may still be given as one, and as 0 or 1.
    const auto* b = std::get_if<bool>(&v);
    if (asBool) check(b != nullptr && *asBool == *b, "a Boolean only from a Boolean");
    if (asInt) check(b != nullptr && *asInt == (*b ? 1 : 0), "an integer only from a number");
    if (asDouble) check(b != nullptr && *asDouble == (*b ? 1.0 : 0.0), "a double only from a number");
    return;
  }

  if (const auto* i = std::get_if<std::int64_t>(&number->value)) {
    check(asInt == *i, "an integer gives itself");
    const bool everyNeighbourFits = *i >= -(std::int64_t{1} << 53) && *i <= (std::int64_t{1} << 53);
    if (everyNeighbourFits) check(asDouble.has_value(), "an integer up to 2^53 gives a double");
    if (asDouble) {
      const double d = *asDouble;
      check(d == static_cast<double>(*i) && d >= -kTwoTo63 && d < kTwoTo63 &&
                static_cast<std::int64_t>(d) == *i,
            "an integer as a double loses nothing");
    }
    check(asBool.has_value() == (*i == 0 || *i == 1), "a Boolean from 0 or 1 only");
    if (asBool) check(*asBool == (*i == 1), "1 is true, 0 is false");
    return;
  }

  const double d = std::get<double>(number->value);
  check(asDouble.has_value() && sameBits(*asDouble, d), "a double gives itself to the bit");
  const bool integral = std::isfinite(d) && std::trunc(d) == d && d >= -kTwoTo63 && d < kTwoTo63;
  check(asInt.has_value() == integral, "an integer exactly from an integral double in range");
  if (asInt) check(static_cast<double>(*asInt) == d, "a double as an integer loses nothing");
  const bool zeroOrOne = d == 0.0 || d == 1.0;
  check(asBool.has_value() == zeroOrOne, "a Boolean from 0 or 1 only");
  if (asBool) check(*asBool == (d == 1.0), "1 is true, 0 is false");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  while (in.remaining_bytes() > 0) {
    const Value v = makeValue(in);
    checkString(v);
    checkNumbers(v);
    checkGeometry(v);
    checkReference<Element>(v);
    checkReference<TextMarker>(v);
    checkReference<TextMarkerRange>(v);
  }
  return 0;
}
