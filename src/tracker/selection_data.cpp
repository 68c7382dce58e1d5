#include "tracker/selection_data.h"

namespace axt::tracker {

json::Object selectionData(std::string text, bool editable, double x, double y, double width,
                           double height) {
  return json::Object{{"selected_text", json::Value(std::move(text))},
                      {"is_editable", json::Value(editable)},
                      {"position", json::Value(json::Object{{"x", x}, {"y", y}})},
                      {"size", json::Value(json::Object{{"width", width}, {"height", height}})}};
}

json::Object withAppInfo(json::Object data, const json::Object& appInfo) {
  // insert() keeps an existing key, so the selection's values win.
  data.insert(appInfo.begin(), appInfo.end());
  return data;
}

}  // namespace axt::tracker
