#include "cf_values.h"

#include <ApplicationServices/ApplicationServices.h>

#include <cstdint>
#include <type_traits>

#include "cf_strings.h"
#include "handles.h"

namespace axt::macdesk {

namespace {

using SeamKind = platform::AXValueType;

platform::Value numberFrom(CFNumberRef number) {
  if (CFNumberIsFloatType(number)) {
    double d = 0;
    CFNumberGetValue(number, kCFNumberFloat64Type, &d);
    return platform::Number{d};
  }
  std::int64_t i = 0;
  CFNumberGetValue(number, kCFNumberSInt64Type, &i);
  return platform::Number{i};
}

platform::OtherValue otherValue(CFTypeID type) {
  const auto name = CFRef<CFStringRef>::adopt(CFCopyTypeIDDescription(type));
  return platform::OtherValue{toUtf8(name.get())};
}

platform::Value axValueFrom(AXValueRef value) {
  switch (AXValueGetType(value)) {
    case kAXValueTypeCGPoint: {
      CGPoint p{};
      if (AXValueGetValue(value, kAXValueTypeCGPoint, &p)) return platform::AXValue(platform::Point{p.x, p.y});
      break;
    }
    case kAXValueTypeCGSize: {
      CGSize s{};
      if (AXValueGetValue(value, kAXValueTypeCGSize, &s)) return platform::AXValue(platform::Size{s.width, s.height});
      break;
    }
    case kAXValueTypeCGRect: {
      CGRect r{};
      if (AXValueGetValue(value, kAXValueTypeCGRect, &r)) {
        return platform::AXValue(
            platform::Rect{{r.origin.x, r.origin.y}, {r.size.width, r.size.height}});
      }
      break;
    }
    case kAXValueTypeCFRange: {
      CFRange r{};
      if (AXValueGetValue(value, kAXValueTypeCFRange, &r)) return platform::AXValue(platform::Range{r.location, r.length});
      break;
    }
    case kAXValueTypeAXError: {
      AXError e = kAXErrorSuccess;
      if (AXValueGetValue(value, kAXValueTypeAXError, &e)) return platform::AXValue::error(e);
      break;
    }
    default:
      break;
  }
  // An illegal value, or one that doesn't hold what it says.
  return otherValue(AXValueGetTypeID());
}

template <class HandleType, class Tag>
CFRef<CFTypeRef> referenceOf(const platform::Ref<Tag>& ref) {
  const auto* h = handleAs<HandleType>(ref);
  if (h == nullptr) return {};
  return CFRef<CFTypeRef>::retain(h->get());
}

CFRef<CFTypeRef> numberOf(const platform::Number& n) {
  if (const auto* i = std::get_if<std::int64_t>(&n.value)) {
    return CFRef<CFTypeRef>::adopt(CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt64Type, i));
  }
  const double d = std::get<double>(n.value);
  return CFRef<CFTypeRef>::adopt(CFNumberCreate(kCFAllocatorDefault, kCFNumberFloat64Type, &d));
}

}  // namespace

platform::Value fromCF(CFTypeRef value) {
  const CFTypeID type = CFGetTypeID(value);
  if (type == CFStringGetTypeID()) return toUtf8(static_cast<CFStringRef>(value));
  if (type == CFBooleanGetTypeID()) return CFBooleanGetValue(static_cast<CFBooleanRef>(value)) != 0;
  if (type == CFNumberGetTypeID()) return numberFrom(static_cast<CFNumberRef>(value));
  if (type == AXValueGetTypeID()) return axValueFrom(static_cast<AXValueRef>(value));
  if (type == AXUIElementGetTypeID()) {
    return wrapElement(CFRef<AXUIElementRef>::retain(static_cast<AXUIElementRef>(value)));
  }
  if (type == AXTextMarkerGetTypeID()) {
    return wrapMarker(CFRef<AXTextMarkerRef>::retain(static_cast<AXTextMarkerRef>(value)));
  }
  if (type == AXTextMarkerRangeGetTypeID()) {
    return wrapMarkerRange(CFRef<AXTextMarkerRangeRef>::retain(static_cast<AXTextMarkerRangeRef>(value)));
  }
  return otherValue(type);
}

CFRef<AXValueRef> toAXValue(const platform::AXValue& value) {
  auto make = [](::AXValueType type, const void* data) {
    return CFRef<AXValueRef>::adopt(AXValueCreate(type, data));
  };
  switch (value.type()) {
    case SeamKind::kCGPoint: {
      platform::Point p;
      value.getValue(SeamKind::kCGPoint, p);
      const CGPoint point{p.x, p.y};
      return make(kAXValueTypeCGPoint, &point);
    }
    case SeamKind::kCGSize: {
      platform::Size s;
      value.getValue(SeamKind::kCGSize, s);
      const CGSize size{s.width, s.height};
      return make(kAXValueTypeCGSize, &size);
    }
    case SeamKind::kCGRect: {
      platform::Rect r;
      value.getValue(SeamKind::kCGRect, r);
      const CGRect rect{{r.origin.x, r.origin.y}, {r.size.width, r.size.height}};
      return make(kAXValueTypeCGRect, &rect);
    }
    case SeamKind::kCFRange: {
      platform::Range r;
      value.getValue(SeamKind::kCFRange, r);
      const CFRange range{static_cast<CFIndex>(r.location), static_cast<CFIndex>(r.length)};
      return make(kAXValueTypeCFRange, &range);
    }
    case SeamKind::kAXError: {
      platform::AXError code = 0;
      value.getValue(SeamKind::kAXError, code);
      const AXError error = static_cast<AXError>(code);
      return make(kAXValueTypeAXError, &error);
    }
    case SeamKind::kIllegal:
      break;
  }
  return {};
}

CFRef<CFTypeRef> toCF(const platform::Value& value) {
  return std::visit(
      [](const auto& v) -> CFRef<CFTypeRef> {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return CFRef<CFTypeRef>::retain(makeCFString(v).get());
        } else if constexpr (std::is_same_v<T, platform::Number>) {
          return numberOf(v);
        } else if constexpr (std::is_same_v<T, bool>) {
          return CFRef<CFTypeRef>::retain(v ? kCFBooleanTrue : kCFBooleanFalse);
        } else if constexpr (std::is_same_v<T, platform::AXValue>) {
          return CFRef<CFTypeRef>::retain(toAXValue(v).get());
        } else if constexpr (std::is_same_v<T, platform::Element>) {
          return referenceOf<ElementHandle>(v);
        } else if constexpr (std::is_same_v<T, platform::TextMarker>) {
          return referenceOf<MarkerHandle>(v);
        } else if constexpr (std::is_same_v<T, platform::TextMarkerRange>) {
          return referenceOf<MarkerRangeHandle>(v);
        } else {
          return {};  // an other value
        }
      },
      value);
}

}  // namespace axt::macdesk
