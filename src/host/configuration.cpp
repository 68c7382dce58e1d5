#include "host/configuration.h"

#include "ax/log.h"
#include "host/json.h"

namespace axt::host {

std::optional<tracker::BlockedFieldList> parseConfiguration(std::string_view utf8) {
  json::ParseResult parsed = json::parse(utf8);
  if (!parsed) {
    ax::logLine("Error deserializing JSON: " + parsed.error.description());
    return std::nullopt;
  }
  json::Object* top = parsed.value->asObject();
  if (top == nullptr) return std::nullopt;
  tracker::BlockedFieldList list;
  for (auto& [bundleId, entry] : *top) {
    json::Object* fields = entry.asObject();
    if (fields == nullptr) return std::nullopt;
    list.emplace(bundleId, std::move(*fields));
  }
  return list;
}

}  // namespace axt::host
