#include "attribute_values.h"

#include <type_traits>

#include "handles.h"

namespace simdesk::detail {

namespace axerr = axt::platform::axerr;
using axt::platform::AXValue;
using axt::platform::Number;
using axt::platform::OtherValue;

AXError toPlatformValue(const AttrValue& fixed, const AppRegistry& apps, std::uint64_t generation,
                        std::optional<Value>& out) {
  return std::visit(
      [&](const auto& v) -> AXError {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, NoValue>) {
          return axerr::kNoValue;
        } else if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, bool>) {
          out.emplace(std::in_place_type<T>, v);
        } else if constexpr (std::is_same_v<T, std::int64_t> || std::is_same_v<T, double>) {
          out.emplace(std::in_place_type<Number>, Number{v});
        } else if constexpr (std::is_same_v<T, Point> || std::is_same_v<T, Rect> ||
                             std::is_same_v<T, Range> || std::is_same_v<T, Size>) {
          out.emplace(std::in_place_type<AXValue>, v);
        } else if constexpr (std::is_same_v<T, ErrorValue>) {
          out.emplace(std::in_place_type<AXValue>, AXValue::error(v.code));
        } else if constexpr (std::is_same_v<T, Opaque>) {
          out.emplace(std::in_place_type<OtherValue>, OtherValue{v.typeName});
        } else if constexpr (std::is_same_v<T, ElementId>) {
          const SimElement* e = apps.element(v.id);
          if (e == nullptr) return axerr::kInvalidUIElement;
          out.emplace(ElementHandle::element(generation, e->pid, e->id));
        }
        return axerr::kSuccess;
      },
      fixed);
}

}  // namespace simdesk::detail
