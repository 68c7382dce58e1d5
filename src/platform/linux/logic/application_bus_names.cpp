#include "logic/application_bus_names.h"

#include <array>

namespace axt::lindesk {

namespace {
constexpr std::array<std::string_view, 8> kServicePrefixes = {
    "org.freedesktop.", "org.a11y.", "org.gtk.", "ca.desrt.", "org.mpris.", "org.kde.StatusNotifier",
    "org.gnome.keyring", "org.ayatana."};
}  // namespace

bool mayBeApplicationId(std::string_view busName) {
  if (busName.empty() || busName.front() == ':' || busName.find('.') == std::string_view::npos) return false;
  for (const std::string_view prefix : kServicePrefixes) {
    if (busName.substr(0, prefix.size()) == prefix) return false;
  }
  return true;
}

std::string applicationObjectPath(std::string_view id) {
  std::string path = "/";
  for (const char c : id) {
    path.push_back(c == '.' ? '/' : c == '-' ? '_' : c);
  }
  return path;
}

}  // namespace axt::lindesk
