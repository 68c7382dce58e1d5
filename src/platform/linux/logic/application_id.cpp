#include "logic/application_id.h"

#include <utility>

namespace axt::lindesk {

std::optional<std::string> applicationIdAmong(
    const std::vector<ApplicationIdWindow>& windows,
    const std::function<std::optional<std::string>(ApplicationIdWindow)>& idOf) {
  if (windows.empty()) return std::nullopt;
  for (ApplicationIdWindow w : windows) {
    if (std::optional<std::string> own = idOf(w); own && !own->empty()) return std::move(*own);
  }
  return std::string();
}

}  // namespace axt::lindesk
