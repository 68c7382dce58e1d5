#include "glue/process_name.h"

#include <unistd.h>

#include <array>
#include <fstream>

namespace axt::lindesk {

std::optional<std::string> executableName(long pid) {
  const std::string base = "/proc/" + std::to_string(pid);
  std::array<char, 4096> target{};
  const ssize_t n = readlink((base + "/exe").c_str(), target.data(), target.size() - 1);
  if (n > 0) {
    std::string path(target.data(), static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
  }
  // Another user's process: its short name is still readable.
  std::ifstream comm(base + "/comm");
  std::string name;
  if (comm && std::getline(comm, name) && !name.empty()) return name;
  return std::nullopt;
}

}  // namespace axt::lindesk
