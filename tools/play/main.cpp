// axtrack-play FILE: loads the library as a host does, builds the simulated
// desktop a scenario describes, plays its steps and prints what the host
// would see. With --desktop it plays on the real Linux desktop instead.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <variant>

#include "desktop_builder.h"
#include "desktop_mode.h"
#include "entry_points.h"
#include "output.h"
#include "scenario_reader.h"
#include "step_player.h"

namespace {

#if defined(__APPLE__)
constexpr const char* kLibraryName = "libaxtrack-simdesk.dylib";
#else
constexpr const char* kLibraryName = "libaxtrack-simdesk.so";
#endif
constexpr const char* kUsage = "usage: axtrack-play [--library PATH] [--desktop] FILE";

struct Arguments {
  std::optional<std::string> library;
  bool desktop = false;
  std::string scenario;
};

std::optional<Arguments> parseArguments(int argc, char** argv) {
  Arguments result;
  bool haveScenario = false;
  bool optionsDone = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (!optionsDone && arg == "--") {
      optionsDone = true;
    } else if (!optionsDone && arg == "--library") {
      if (i + 1 >= argc || result.library) return std::nullopt;
      result.library = argv[++i];
    } else if (!optionsDone && arg == "--desktop") {
      result.desktop = true;
    } else if (!optionsDone && arg.size() > 1 && arg[0] == '-') {
      return std::nullopt;
    } else {
      if (haveScenario) return std::nullopt;
      result.scenario = arg;
      haveScenario = true;
    }
  }
  if (!haveScenario) return std::nullopt;
  return result;
}

// The library beside the player executable, where the build puts both.
// Absent elsewhere: an installed player finds it through its run path.
std::optional<std::string> besideExecutable(const char* name) {
#if defined(__APPLE__)
  // The loader looks in the player's run paths: its own folder in the build
  // tree, the library folder when installed.
  return std::string("@rpath/") + name;
#endif
  char buffer[4096];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return std::nullopt;
  std::string path(buffer, static_cast<std::size_t>(n));
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return std::nullopt;
  path = path.substr(0, slash + 1) + name;
  if (access(path.c_str(), F_OK) != 0) return std::nullopt;
  return path;
}

template <class F>
bool resolve(void* handle, const char* name, F& out, std::string& error) {
  dlerror();
  void* symbol = dlsym(handle, name);
  if (symbol == nullptr) {
    const char* message = dlerror();
    error = message != nullptr ? message : std::string(name) + ": symbol is null";
    return false;
  }
  out = reinterpret_cast<F>(symbol);
  return true;
}

// The handle is never closed: like a host, the player keeps the library
// loaded until the process ends, since its registrations on the desktop
// (observers, the hot key, tracking areas) stay in force until then.
std::optional<play::EntryPoints> loadLibrary(const char* name,
                                             const std::optional<std::string>& explicitPath,
                                             std::string& error) {
  std::string path = explicitPath ? *explicitPath : besideExecutable(name).value_or(name);
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* message = dlerror();
    error = message != nullptr ? message : "can't load " + path;
    return std::nullopt;
  }
  play::EntryPoints e;
  // "main" must come from the handle: the player's own main would shadow it.
  bool ok =
      resolve(handle, "initMacAccessibility", e.initMacAccessibility, error) &&
      resolve(handle, "start", e.start, error) && resolve(handle, "setText", e.setText, error) &&
      resolve(handle, "focusPreiov", e.focusPreiov, error) &&
      resolve(handle, "addMouseTracker", e.addMouseTracker, error) &&
      resolve(handle, "isAccessibiltyEnabled", e.isAccessibiltyEnabled, error) &&
      resolve(handle, "showAccessibiltyPermisionPopup", e.showAccessibiltyPermisionPopup, error) &&
      resolve(handle, "main", e.main, error);
  if (!ok) return std::nullopt;
  return e;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<Arguments> args = parseArguments(argc, argv);
  if (!args) {
    std::fprintf(stderr, "%s\n", kUsage);
    return 2;
  }
  if (args->desktop) {
    int status = play::playOnDesktop(args->scenario, [&](std::string& error) {
      return loadLibrary(play::kDesktopLibraryName, args->library, error);
    });
    play::flushOutput();
    std::fflush(stderr);
    std::_Exit(status);
  }

  // The whole file is checked before anything is loaded or played.
  play::ReadResult read = play::readScenarioFile(args->scenario);
  if (const auto* bad = std::get_if<play::ReadError>(&read)) {
    std::fprintf(stderr, "axtrack-play: %s\n", bad->describe(args->scenario).c_str());
    return 2;
  }
  const play::Plan& plan = std::get<play::Plan>(read);

  std::string error;
  std::optional<play::EntryPoints> library = loadLibrary(kLibraryName, args->library, error);
  if (!library) {
    std::fprintf(stderr, "axtrack-play: %s\n", error.c_str());
    return 2;
  }

  play::buildDesktop(plan);
  play::playSteps(plan, *library);
  play::printFinalState(plan);
  play::flushOutput();
  std::fflush(stderr);
  // Leave without running static destructors: the library's module state
  // and the desktop belong to two shared libraries whose teardown order the
  // loader picks, and a host process doesn't tear the library down either.
  std::_Exit(0);
}
