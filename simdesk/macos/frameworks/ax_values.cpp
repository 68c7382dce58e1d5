#include "ax_values.h"

#include <ApplicationServices/ApplicationServices.h>

#include <cstdint>
#include <type_traits>

#include "ax_objects.h"
#include "cf_numbers.h"
#include "cf_strings.h"

namespace simdesk::macos {

namespace platform = axt::platform;

namespace {

CFTypeRef wrapped(const platform::AXValue& value) {
  using Kind = platform::AXValueType;
  const auto make = [](AXValueType type, const void* data) -> CFTypeRef { return AXValueCreate(type, data); };
  switch (value.type()) {
    case Kind::kCGPoint: {
      platform::Point p;
      value.getValue(Kind::kCGPoint, p);
      const CGPoint point{p.x, p.y};
      return make(kAXValueTypeCGPoint, &point);
    }
    case Kind::kCGSize: {
      platform::Size s;
      value.getValue(Kind::kCGSize, s);
      const CGSize size{s.width, s.height};
      return make(kAXValueTypeCGSize, &size);
    }
    case Kind::kCGRect: {
      platform::Rect r;
      value.getValue(Kind::kCGRect, r);
      const CGRect rect{{r.origin.x, r.origin.y}, {r.size.width, r.size.height}};
      return make(kAXValueTypeCGRect, &rect);
    }
    case Kind::kCFRange: {
      platform::Range r;
      value.getValue(Kind::kCFRange, r);
      const CFRange range{static_cast<CFIndex>(r.location), static_cast<CFIndex>(r.length)};
      return make(kAXValueTypeCFRange, &range);
    }
    case Kind::kAXError: {
      platform::AXError code = 0;
      value.getValue(Kind::kAXError, code);
      const auto error = static_cast<::AXError>(code);
      return make(kAXValueTypeAXError, &error);
    }
    case Kind::kIllegal:
      break;
  }
  return keep(std::make_unique<ValueObject>(kAXValueTypeIllegal, nullptr));
}

platform::Value unwrapped(const ValueObject& v) {
  switch (v.kind()) {
    case kAXValueTypeCGPoint: {
      const auto* p = static_cast<const CGPoint*>(v.data());
      return platform::AXValue(platform::Point{p->x, p->y});
    }
    case kAXValueTypeCGSize: {
      const auto* s = static_cast<const CGSize*>(v.data());
      return platform::AXValue(platform::Size{s->width, s->height});
    }
    case kAXValueTypeCGRect: {
      const auto* r = static_cast<const CGRect*>(v.data());
      return platform::AXValue(platform::Rect{{r->origin.x, r->origin.y}, {r->size.width, r->size.height}});
    }
    case kAXValueTypeCFRange: {
      const auto* r = static_cast<const CFRange*>(v.data());
      return platform::AXValue(platform::Range{r->location, r->length});
    }
    case kAXValueTypeAXError:
      return platform::AXValue::error(*static_cast<const ::AXError*>(v.data()));
    default:
      return platform::OtherValue{typeName(v.type())};
  }
}

}  // namespace

CFTypeRef objectFor(const platform::Value& value) {
  return std::visit(
      [](const auto& v) -> CFTypeRef {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return makeString(v);
        } else if constexpr (std::is_same_v<T, platform::Number>) {
          return std::visit([](auto n) -> CFTypeRef { return makeNumber(n); }, v.value);
        } else if constexpr (std::is_same_v<T, bool>) {
          return v ? kCFBooleanTrue : kCFBooleanFalse;
        } else if constexpr (std::is_same_v<T, platform::AXValue>) {
          return wrapped(v);
        } else if constexpr (std::is_same_v<T, platform::Element>) {
          return makeElement(v);
        } else if constexpr (std::is_same_v<T, platform::TextMarker>) {
          return makeMarker(v);
        } else if constexpr (std::is_same_v<T, platform::TextMarkerRange>) {
          return makeMarkerRange(v);
        } else {
          return keep(std::make_unique<OpaqueObject>(typeNamed(v.typeName)));
        }
      },
      value);
}

platform::Value valueOf(CFTypeRef object, const char* function) {
  const Object& o = objectOf(object, function);
  const CFTypeID type = o.type();
  if (type == StringObject::typeId()) return static_cast<const StringObject&>(o).utf8();
  if (type == NumberObject::typeId()) {
    return std::visit([](auto n) { return platform::Number{n}; }, static_cast<const NumberObject&>(o).value());
  }
  if (type == BooleanObject::typeId()) return static_cast<const BooleanObject&>(o).value();
  if (type == ValueObject::typeId()) return unwrapped(static_cast<const ValueObject&>(o));
  if (type == ElementObject::typeId()) return static_cast<const ElementObject&>(o).ref();
  if (type == MarkerObject::typeId()) return static_cast<const MarkerObject&>(o).ref();
  if (type == MarkerRangeObject::typeId()) return static_cast<const MarkerRangeObject&>(o).ref();
  return platform::OtherValue{typeName(type)};
}

}  // namespace simdesk::macos
