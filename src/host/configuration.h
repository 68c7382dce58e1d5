// The configuration text given to start: a JSON object from bundle
// identifier to blocked-field entry.
#pragma once

#include <optional>
#include <string_view>

#include "tracker/mac_accessibility.h"

namespace axt::host {

// The blocked-field list the text describes, or absent when it is not an
// object whose every member is an object. Text that isn't JSON prints
// "Error deserializing JSON: " and what is wrong where.
std::optional<tracker::BlockedFieldList> parseConfiguration(std::string_view utf8);

}  // namespace axt::host
