#include "pasteboard_json.h"

#include "json/json.h"
#include "json_fields.h"
#include "text/utf8.h"

namespace play {

std::string pasteboardJson(const std::vector<simdesk::PasteboardItem>& items) {
  axt::json::Array array;
  for (const auto& item : items) {
    axt::json::Object object;
    for (const auto& [type, data] : item.types) {
      object.insert_or_assign(type, axt::json::Value(axt::text::toValidUtf8(data)));
    }
    array.emplace_back(std::move(object));
  }
  return compact(axt::json::Value(std::move(array)));
}

}  // namespace play
