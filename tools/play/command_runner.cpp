#include "command_runner.h"

#if AXTRACK_PLAY_DESKTOP

#include <glib.h>
#include <signal.h>
#include <sys/wait.h>

#include <cmath>
#include <memory>

namespace play {
namespace {

// What the two sources report back to the loop below.
struct Progress {
  bool exited = false;
  int waitStatus = 0;
  bool overdue = false;
  guint timer = 0;  // zero once the source has gone
  guint watch = 0;
};

void childExited(GPid, gint waitStatus, gpointer data) {
  auto* p = static_cast<Progress*>(data);
  p->exited = true;
  p->waitStatus = waitStatus;
  p->watch = 0;  // a child watch fires once and is removed
}

gboolean limitReached(gpointer data) {
  auto* p = static_cast<Progress*>(data);
  p->overdue = true;
  p->timer = 0;
  return G_SOURCE_REMOVE;
}

// Both sources point at the Progress on this frame; whatever way the wait
// ends, neither may outlive it.
class SourcesOf {
 public:
  explicit SourcesOf(Progress& p) : p_(p) {}
  SourcesOf(const SourcesOf&) = delete;
  SourcesOf& operator=(const SourcesOf&) = delete;
  ~SourcesOf() {
    if (p_.timer != 0) g_source_remove(p_.timer);
    if (p_.watch != 0) g_source_remove(p_.watch);
  }

 private:
  Progress& p_;
};

struct ErrorFree {
  void operator()(GError* e) const { g_error_free(e); }
};

guint milliseconds(double seconds) { return static_cast<guint>(std::ceil(seconds * 1000.0)); }

// Iterates the default context until the child has exited or `until` holds.
template <class Until>
void iterateUntil(const Progress& p, Until until) {
  while (!p.exited && !until()) g_main_context_iteration(nullptr, TRUE);
}

std::string quotedProgram(const std::vector<std::string>& argv) {
  return "\"" + argv.front() + "\"";
}

}  // namespace

std::optional<std::string> runCommand(const std::vector<std::string>& argv, double limitSeconds) {
  if (argv.empty()) return std::string("the command is empty");
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  GPid pid = 0;
  GError* raw = nullptr;
  const auto flags = static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD |
                                              G_SPAWN_STDOUT_TO_DEV_NULL);
  if (!g_spawn_async(nullptr, args.data(), nullptr, flags, nullptr, nullptr, &pid, &raw)) {
    std::unique_ptr<GError, ErrorFree> error(raw);
    return "can't run " + quotedProgram(argv) + ": " +
           (error ? std::string(error->message) : std::string("unknown error"));
  }

  Progress progress;
  SourcesOf sources(progress);
  progress.watch = g_child_watch_add(pid, childExited, &progress);
  progress.timer = g_timeout_add(milliseconds(limitSeconds), limitReached, &progress);
  iterateUntil(progress, [&] { return progress.overdue; });

  if (!progress.exited) {
    kill(pid, SIGKILL);
    // A killed process is gone at once; the bound only guards against a
    // child stuck where not even that reaches it.
    progress.overdue = false;
    progress.timer = g_timeout_add(2000, limitReached, &progress);
    iterateUntil(progress, [&] { return progress.overdue; });
    return quotedProgram(argv) + " didn't finish within " +
           std::to_string(static_cast<long>(std::ceil(limitSeconds))) + " s and was stopped";
  }
  const int status = progress.waitStatus;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return std::nullopt;
  if (WIFEXITED(status)) {
    return quotedProgram(argv) + " exited with status " + std::to_string(WEXITSTATUS(status));
  }
  if (WIFSIGNALED(status)) {
    return quotedProgram(argv) + " was ended by signal " + std::to_string(WTERMSIG(status));
  }
  return quotedProgram(argv) + " ended abnormally";
}

}  // namespace play

#endif  // AXTRACK_PLAY_DESKTOP
