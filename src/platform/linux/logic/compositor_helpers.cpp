#include "logic/compositor_helpers.h"

#include <array>

namespace axt::lindesk {

namespace {
constexpr std::size_t kShortNameLength = 15;
constexpr std::array<std::string_view, 1> kHelpers = {"mutter-x11-frames"};
}  // namespace

bool isCompositorHelper(std::string_view executable) {
  for (const std::string_view helper : kHelpers) {
    if (executable == helper) return true;
    if (executable.size() == kShortNameLength && helper.size() > kShortNameLength &&
        helper.substr(0, kShortNameLength) == executable) {
      return true;
    }
  }
  return false;
}

}  // namespace axt::lindesk
