// Value types that cross the platform seam: geometry, accessibility error
// codes, reference-counted platform objects and the values an attribute read
// can return. Nothing here knows which backend is in use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace axt::platform {

using Pid = std::int32_t;
using AXError = std::int32_t;
using OSStatus = std::int32_t;

// The accessibility interface's error codes.
namespace axerr {
inline constexpr AXError kSuccess = 0;
inline constexpr AXError kFailure = -25200;
inline constexpr AXError kIllegalArgument = -25201;
inline constexpr AXError kInvalidUIElement = -25202;
inline constexpr AXError kInvalidUIElementObserver = -25203;
inline constexpr AXError kCannotComplete = -25204;
inline constexpr AXError kAttributeUnsupported = -25205;
inline constexpr AXError kActionUnsupported = -25206;
inline constexpr AXError kNotificationUnsupported = -25207;
inline constexpr AXError kNotImplemented = -25208;
inline constexpr AXError kNotificationAlreadyRegistered = -25209;
inline constexpr AXError kNotificationNotRegistered = -25210;
inline constexpr AXError kAPIDisabled = -25211;
inline constexpr AXError kNoValue = -25212;
inline constexpr AXError kParameterizedAttributeUnsupported = -25213;
inline constexpr AXError kNotEnoughPrecision = -25214;
}  // namespace axerr

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  Point origin;
  Size size;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A character range, counted in UTF-16 code units as the platform counts.
struct Range {
  std::int64_t location = 0;
  std::int64_t length = 0;
  friend bool operator==(const Range&, const Range&) = default;
};

// The kinds an accessibility value (AXValue) can wrap, with the platform's
// numbering.
enum class AXValueType : int {
  kIllegal = 0,
  kCGPoint = 1,
  kCGSize = 2,
  kCGRect = 3,
  kCFRange = 4,
  kAXError = 5,
};

// A wrapped geometric value. Extraction names the kind it wants and fails
// when the value holds another one, as AXValueGetValue does.
class AXValue {
 public:
  explicit AXValue(Point p) : type_(AXValueType::kCGPoint), payload_(p) {}
  explicit AXValue(Size s) : type_(AXValueType::kCGSize), payload_(s) {}
  explicit AXValue(Rect r) : type_(AXValueType::kCGRect), payload_(r) {}
  explicit AXValue(Range r) : type_(AXValueType::kCFRange), payload_(r) {}
  static AXValue error(AXError code) { return AXValue(code); }

  AXValueType type() const { return type_; }

  bool getValue(AXValueType kind, Point& out) const { return extract(kind, AXValueType::kCGPoint, out); }
  bool getValue(AXValueType kind, Size& out) const { return extract(kind, AXValueType::kCGSize, out); }
  bool getValue(AXValueType kind, Rect& out) const { return extract(kind, AXValueType::kCGRect, out); }
  bool getValue(AXValueType kind, Range& out) const { return extract(kind, AXValueType::kCFRange, out); }
  bool getValue(AXValueType kind, AXError& out) const { return extract(kind, AXValueType::kAXError, out); }

  friend bool operator==(const AXValue&, const AXValue&) = default;

 private:
  explicit AXValue(AXError code) : type_(AXValueType::kAXError), payload_(code) {}

  template <class T>
  bool extract(AXValueType asked, AXValueType holds, T& out) const {
    if (asked != holds || type_ != holds) return false;
    const T* v = std::get_if<T>(&payload_);
    if (v == nullptr) return false;
    out = *v;
    return true;
  }

  AXValueType type_;
  std::variant<Point, Size, Rect, Range, AXError> payload_;
};

// Base of every reference-counted object a backend hands out (elements,
// observers, text markers, ...). Identity is the backend's to define: two
// reads of the same element must compare equal even when they are distinct
// objects.
class Handle {
 public:
  virtual ~Handle() = default;
  virtual bool equals(const Handle& other) const = 0;
  virtual std::size_t hash() const = 0;
};

// A strong, shared reference to a backend object of one kind. Copying
// retains, destruction releases: the RAII form of a platform reference.
template <class Tag>
class Ref {
 public:
  Ref() = default;
  explicit Ref(std::shared_ptr<const Handle> h) : handle_(std::move(h)) {}

  explicit operator bool() const { return handle_ != nullptr; }
  const Handle* handle() const { return handle_.get(); }
  const std::shared_ptr<const Handle>& shared() const { return handle_; }

  friend bool operator==(const Ref& a, const Ref& b) {
    if (a.handle_ == b.handle_) return true;
    if (!a.handle_ || !b.handle_) return false;
    return a.handle_->equals(*b.handle_);
  }

  std::size_t hash() const { return handle_ ? handle_->hash() : 0; }

 private:
  std::shared_ptr<const Handle> handle_;
};

struct ElementTag;
struct TextMarkerTag;
struct TextMarkerRangeTag;
struct ObserverTag;
struct HotKeyTag;
struct EventSourceTag;
struct KeyEventTag;
struct WindowTag;
struct TrackingAreaTag;

using Element = Ref<ElementTag>;              // AXUIElement
using TextMarker = Ref<TextMarkerTag>;        // AXTextMarker
using TextMarkerRange = Ref<TextMarkerRangeTag>;  // AXTextMarkerRange
using Observer = Ref<ObserverTag>;            // AXObserver
using EventHotKeyRef = Ref<HotKeyTag>;        // a registered hot key
using EventSource = Ref<EventSourceTag>;      // keyboard event source
using KeyEvent = Ref<KeyEventTag>;            // a synthesised keyboard event
using Window = Ref<WindowTag>;                // one of the host's windows
using TrackingArea = Ref<TrackingAreaTag>;    // a tracking area on a view

// A platform number: integral or floating point, as it was stored.
struct Number {
  std::variant<std::int64_t, double> value;
  friend bool operator==(const Number&, const Number&) = default;
};

// A value of a kind the library has no use for (an array, a date, a URL,
// a dictionary, an attributed string, ...), known only by its type name.
struct OtherValue {
  std::string typeName;
  friend bool operator==(const OtherValue&, const OtherValue&) = default;
};

// What an attribute read can return. Strings are UTF-8.
using Value = std::variant<std::string, Number, bool, AXValue, Element, TextMarker,
                           TextMarkerRange, OtherValue>;

}  // namespace axt::platform
