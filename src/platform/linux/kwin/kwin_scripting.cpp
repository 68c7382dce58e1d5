#include "kwin/kwin_scripting.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>
#include <vector>

namespace axt::lindesk {

std::optional<ScriptFile> ScriptFile::create(const std::string& folder) {
  std::string pattern = folder + "/axtrack-kwin-XXXXXX.js";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const int fd = ::mkstemps(buffer.data(), 3);
  if (fd < 0) return std::nullopt;
  ::close(fd);
  return ScriptFile(std::string(buffer.data()));
}

ScriptFile::ScriptFile(ScriptFile&& other) noexcept : path_(std::exchange(other.path_, std::string())) {}

ScriptFile& ScriptFile::operator=(ScriptFile&& other) noexcept {
  if (this != &other) {
    if (!path_.empty()) ::unlink(path_.c_str());
    path_ = std::exchange(other.path_, std::string());
  }
  return *this;
}

ScriptFile::~ScriptFile() {
  if (!path_.empty()) ::unlink(path_.c_str());
}

bool ScriptFile::write(std::string_view text) const {
  const int fd = ::open(path_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  const bool closed = ::close(fd) == 0;
  return done == text.size() && closed;
}

KWinScripting::KWinScripting(std::unique_ptr<ScriptingBus> bus, std::string folder, std::string name)
    : bus_(std::move(bus)), folder_(std::move(folder)), name_(std::move(name)) {}

KWinScripting::~KWinScripting() {
  if (bus_ && loaded_) bus_->unloadScript(name_);
}

std::optional<int> KWinScripting::load() {
  std::optional<int> id = bus_->loadScript(file_->path(), name_);
  if (id && *id < 0) {
    // A script of our name is loaded already, one a host of the same
    // process id left behind: ours takes its place.
    bus_->unloadScript(name_);
    id = bus_->loadScript(file_->path(), name_);
  }
  return id;
}

bool KWinScripting::run(std::string_view script) {
  if (!bus_) return false;
  // The last script has run by now, or is superseded: a name is loaded
  // once at a time.
  if (loaded_) {
    bus_->unloadScript(name_);
    loaded_ = false;
  }
  if (!file_) file_ = ScriptFile::create(folder_);
  if (!file_ || !file_->write(script)) return false;
  const std::optional<int> id = load();
  if (!id || *id < 0) return false;
  loaded_ = true;
  const std::string number = std::to_string(*id);
  const std::string newer = "/Scripting/Script" + number;
  const std::string older = "/" + number;
  if (olderPaths_) return bus_->run(*olderPaths_ ? older : newer) == ScriptRun::kRan;
  ScriptRun ran = bus_->run(newer);
  if (ran == ScriptRun::kRan) {
    olderPaths_ = false;
  } else if (ran == ScriptRun::kNoSuchObject) {
    ran = bus_->run(older);
    if (ran == ScriptRun::kRan) olderPaths_ = true;
  }
  return ran == ScriptRun::kRan;
}

}  // namespace axt::lindesk
