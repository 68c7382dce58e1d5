// The dictionaries that describe a selection in event data.
#pragma once

#include <string>

#include "json/json.h"
#include "platform/values.h"

namespace axt::tracker {

// {"selected_text", "is_editable", "position": {"x", "y"}, "size": {"width", "height"}}
json::Object selectionData(std::string text, bool editable, double x, double y, double width,
                           double height);
inline json::Object selectionData(std::string text, bool editable, const platform::Rect& r) {
  return selectionData(std::move(text), editable, r.origin.x, r.origin.y, r.size.width,
                       r.size.height);
}

// Adds the application information; on a key present in both, `data` wins.
json::Object withAppInfo(json::Object data, const json::Object& appInfo);

}  // namespace axt::tracker
