// An event as the handlers hand it over: a name and its data.
#pragma once

#include <string>

#include "json/json.h"

namespace axt::host {

using EventData = json::Object;

struct EventParams {
  std::string notification;
  EventData data;
};

}  // namespace axt::host
