#include "logic/compositor_helpers.h"

#include <array>
#include <optional>
#include <string>

#include "glue/process_name.h"

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

bool isCompositorHelperProcess(long pid) {
  const std::optional<std::string> executable = executableName(pid);
  return executable && isCompositorHelper(*executable);
}

}  // namespace axt::lindesk
