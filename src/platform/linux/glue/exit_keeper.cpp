#include "glue/exit_keeper.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace axt::lindesk {

namespace {

// The shell puts the waiting part in the background and ends at once, so
// the keeper is nobody's child for long: it belongs to the system, not the
// host, and the host never has a child to reap beyond the shell itself.
// The pipe is kept on descriptor 3, as a background job's standard input
// is the null device. A background job ignores the terminal's interrupt
// already; the hang-up that ends a terminal's programs is ignored too, so
// that the keeper still undoes what the host leaves when both get it. It
// is ignored before the job starts, which inherits that: a hang-up at
// once ends the shell, and so the keeper's start, rather than the job.
constexpr const char* kScript =
    "trap '' HUP; exec 3<&0; (read -r _ <&3; exec \"$@\") </dev/null >/dev/null 2>&1 &";

}  // namespace

bool programOnPath(std::string_view name) {
  if (name.empty() || name.find('/') != std::string_view::npos) return false;
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::string_view rest(path);
  while (true) {
    const std::size_t colon = rest.find(':');
    const std::string_view dir = rest.substr(0, colon);
    if (!dir.empty()) {
      const std::string candidate = std::string(dir) + "/" + std::string(name);
      struct stat st {};
      if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0) {
        return true;
      }
    }
    if (colon == std::string_view::npos) return false;
    rest.remove_prefix(colon + 1);
  }
}

OwnedFd startExitKeeper(const std::vector<std::string>& command) {
  if (command.empty() || !programOnPath(command.front())) return {};
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return {};
  OwnedFd readEnd(ends[0]);
  OwnedFd writeEnd(ends[1]);

  std::vector<const char*> argv = {"sh", "-c", kScript, "sh"};
  for (const std::string& word : command) argv.push_back(word.c_str());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return {};
  bool ready = posix_spawn_file_actions_adddup2(&actions, readEnd.get(), 0) == 0 &&
               posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0) == 0 &&
               posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0) == 0;
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  // Nothing else of the host's stays open in the keeper.
  ready = ready && posix_spawn_file_actions_addclosefrom_np(&actions, 3) == 0;
#endif
  pid_t shell = -1;
  if (ready && posix_spawn(&shell, "/bin/sh", &actions, nullptr, const_cast<char* const*>(argv.data()), environ) != 0) {
    shell = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  if (shell < 0) return {};
  // The shell ends as soon as the keeper is in the background.
  int status = 0;
  while (::waitpid(shell, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  return writeEnd;
}

}  // namespace axt::lindesk
