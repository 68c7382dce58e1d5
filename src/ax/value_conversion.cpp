// Platform value → plain value. The value is first given a plain form by its
// type (marker range, marker, element, string, number, then the geometric
// kinds of an accessibility value), which must then be the kind asked for;
// numbers convert only where no information is lost.
#include <cmath>
#include <limits>
#include <type_traits>

#include "ax/attributes.h"

namespace axt::ax {

namespace {

using platform::AXValue;
using platform::AXValueType;
using platform::Number;

using PlainForm = std::variant<std::monostate, TextMarkerRange, TextMarker, Element, std::string,
                               Number, Point, Rect, Range, bool>;

PlainForm plainForm(const platform::Value& value) {
  if (auto* v = std::get_if<TextMarkerRange>(&value)) return *v;
  if (auto* v = std::get_if<TextMarker>(&value)) return *v;
  if (auto* v = std::get_if<Element>(&value)) return *v;
  if (auto* v = std::get_if<std::string>(&value)) return *v;
  if (auto* v = std::get_if<Number>(&value)) return *v;
  if (auto* v = std::get_if<AXValue>(&value)) {
    switch (v->type()) {
      case AXValueType::kCGPoint: {
        Point p;
        if (v->getValue(AXValueType::kCGPoint, p)) return p;
        return std::monostate{};
      }
      case AXValueType::kCGRect: {
        Rect r;
        if (v->getValue(AXValueType::kCGRect, r)) return r;
        return std::monostate{};
      }
      case AXValueType::kCFRange: {
        Range r;
        if (v->getValue(AXValueType::kCFRange, r)) return r;
        return std::monostate{};
      }
      default:
        // Sizes, errors and illegal values have no plain form.
        return std::monostate{};
    }
  }
  // A platform Boolean is outside the table; it is still given as a Boolean
  // when one is asked for, since that loses nothing.
  if (auto* v = std::get_if<bool>(&value)) return *v;
  return std::monostate{};
}

constexpr double kTwoTo63 = 9223372036854775808.0;
constexpr std::int64_t kTwoTo53 = std::int64_t{1} << 53;

std::optional<std::int64_t> numberAsInt(const Number& n) {
  if (auto* i = std::get_if<std::int64_t>(&n.value)) return *i;
  double d = std::get<double>(n.value);
  if (!std::isfinite(d) || std::trunc(d) != d) return std::nullopt;
  if (d < -kTwoTo63 || d >= kTwoTo63) return std::nullopt;
  return static_cast<std::int64_t>(d);
}

std::optional<double> numberAsDouble(const Number& n) {
  if (auto* d = std::get_if<double>(&n.value)) return *d;
  const std::int64_t i = std::get<std::int64_t>(n.value);
  if (i <= kTwoTo53 && i >= -kTwoTo53) return static_cast<double>(i);
  // Beyond 2^53 only some integers have an exact double; 2^63 itself is
  // out of the integer range, so the round trip can't be tested there.
  const double d = static_cast<double>(i);
  if (d >= kTwoTo63) return std::nullopt;
  if (static_cast<std::int64_t>(d) != i) return std::nullopt;
  return d;
}

std::optional<bool> numberAsBool(const Number& n) {
  std::optional<std::int64_t> i = numberAsInt(n);
  if (!i || (*i != 0 && *i != 1)) return std::nullopt;
  return *i == 1;
}

}  // namespace

template <class T>
std::optional<T> axValueToPlain(const platform::Value& value) {
  PlainForm form = plainForm(value);
  if constexpr (std::is_same_v<T, std::int64_t>) {
    if (auto* n = std::get_if<Number>(&form)) return numberAsInt(*n);
    return std::nullopt;
  } else if constexpr (std::is_same_v<T, double>) {
    if (auto* n = std::get_if<Number>(&form)) return numberAsDouble(*n);
    return std::nullopt;
  } else if constexpr (std::is_same_v<T, bool>) {
    if (auto* n = std::get_if<Number>(&form)) return numberAsBool(*n);
    if (auto* b = std::get_if<bool>(&form)) return *b;
    return std::nullopt;
  } else {
    if (auto* v = std::get_if<T>(&form)) return *v;
    return std::nullopt;
  }
}

template std::optional<std::string> axValueToPlain<std::string>(const platform::Value&);
template std::optional<std::int64_t> axValueToPlain<std::int64_t>(const platform::Value&);
template std::optional<double> axValueToPlain<double>(const platform::Value&);
template std::optional<bool> axValueToPlain<bool>(const platform::Value&);
template std::optional<Point> axValueToPlain<Point>(const platform::Value&);
template std::optional<Rect> axValueToPlain<Rect>(const platform::Value&);
template std::optional<Range> axValueToPlain<Range>(const platform::Value&);
template std::optional<Element> axValueToPlain<Element>(const platform::Value&);
template std::optional<TextMarker> axValueToPlain<TextMarker>(const platform::Value&);
template std::optional<TextMarkerRange> axValueToPlain<TextMarkerRange>(const platform::Value&);

}  // namespace axt::ax
