// What a simulated application element or user-interface element answers
// once a request has reached it: its error map, then its fixed answers, then
// what it computes from its role, frame, text and selection.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "apps.h"
#include "platform/values.h"

namespace simdesk::detail {

using axt::platform::Value;

// The application element (element null) or one element of the application.
struct Target {
  SimApp& app;
  SimElement* element;
  const AppRegistry& apps;
  std::uint64_t generation;
};

AXError readAttribute(const Target& t, const std::string& name, std::optional<Value>& out);
AXError readParameterized(const Target& t, const std::string& name, const Value& parameter,
                          std::optional<Value>& out);
AXError checkSettable(const Target& t, const std::string& name, bool& settable);

struct WriteOutcome {
  AXError code = 0;
  bool selectionChanged = false;  // the caller posts the notification
};
WriteOutcome writeAttribute(const Target& t, const std::string& name, const Value& value);

std::vector<std::string> attributeNames(const Target& t);

}  // namespace simdesk::detail
