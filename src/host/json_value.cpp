#include "host/json.h"

namespace axt::json {

std::optional<double> Value::number() const {
  if (const std::int64_t* i = asInt()) return static_cast<double>(*i);
  if (const double* d = asDouble()) return *d;
  return std::nullopt;
}

const Value* Value::find(std::string_view key) const {
  const Object* object = asObject();
  if (object == nullptr) return nullptr;
  auto it = object->find(key);
  return it == object->end() ? nullptr : &it->second;
}

}  // namespace axt::json
