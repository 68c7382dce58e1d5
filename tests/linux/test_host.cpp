// A host for the tests against real applications: it loads libaxtrack.so
// with dlopen exactly as a host application does, runs a GLib main loop on
// its main thread and prints every event it receives, stamped with the
// wall-clock time at which it arrived, so that a driver can match events to
// the actions it took:
//
//   event <seconds since the epoch> <name> <json>
//
// Usage: axtrack-linux-host LIBRARY [--config JSON] [--prompt] [--seconds N]
//
//   --config JSON  the configuration given to start() (default "{}")
//   --prompt       asks for accessibility with showAccessibiltyPermisionPopup
//                  before starting, and prints both answers
//   --seconds N    quits after N seconds (default 60): the host never
//                  outlives a driver that forgot it
//
// It also quits on SIGTERM and SIGINT, and when standard input is closed.
#include <dlfcn.h>
#include <glib-unix.h>
#include <glib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "axtrack/axtrack.h"

namespace {

struct Library {
  void (*initMacAccessibility)(axtrack_callback) = nullptr;
  void (*start)(const char*) = nullptr;
  bool (*isAccessibiltyEnabled)() = nullptr;
  bool (*showAccessibiltyPermisionPopup)() = nullptr;
};

GMainLoop* gLoop = nullptr;

double now() { return static_cast<double>(g_get_real_time()) / 1e6; }

void onEvent(const char* name, const char* json) {
  std::printf("event %.6f %s %s\n", now(), name, json);
  std::fflush(stdout);
}

gboolean quit(gpointer) {
  g_main_loop_quit(gLoop);
  return G_SOURCE_REMOVE;
}

gboolean inputClosed(gint, GIOCondition, gpointer) {
  g_main_loop_quit(gLoop);
  return G_SOURCE_REMOVE;
}

template <class F>
bool bind(void* handle, const char* name, F& out) {
  out = reinterpret_cast<F>(dlsym(handle, name));
  if (out == nullptr) std::fprintf(stderr, "host: %s is missing from the library\n", name);
  return out != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s LIBRARY [--config JSON] [--prompt] [--seconds N]\n", argv[0]);
    return 2;
  }
  std::string config = "{}";
  bool prompt = false;
  double seconds = 60;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--config") == 0 && i + 1 < argc) {
      config = argv[++i];
    } else if (std::strcmp(argv[i], "--prompt") == 0) {
      prompt = true;
    } else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else {
      std::fprintf(stderr, "host: unknown argument %s\n", argv[i]);
      return 2;
    }
  }

  void* handle = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    std::fprintf(stderr, "host: %s\n", dlerror());
    return 1;
  }
  Library lib;
  if (!bind(handle, "initMacAccessibility", lib.initMacAccessibility) || !bind(handle, "start", lib.start) ||
      !bind(handle, "isAccessibiltyEnabled", lib.isAccessibiltyEnabled) ||
      !bind(handle, "showAccessibiltyPermisionPopup", lib.showAccessibiltyPermisionPopup)) {
    return 1;
  }

  gLoop = g_main_loop_new(nullptr, FALSE);
  g_timeout_add(static_cast<guint>(seconds * 1000), quit, nullptr);
  g_unix_signal_add(SIGTERM, quit, nullptr);
  g_unix_signal_add(SIGINT, quit, nullptr);
  g_unix_fd_add(0, static_cast<GIOCondition>(G_IO_HUP | G_IO_ERR), inputClosed, nullptr);

  std::printf("trusted %s\n", lib.isAccessibiltyEnabled() ? "true" : "false");
  if (prompt) {
    std::printf("prompt answered %s\n", lib.showAccessibiltyPermisionPopup() ? "true" : "false");
    std::printf("trusted %s\n", lib.isAccessibiltyEnabled() ? "true" : "false");
  }
  lib.initMacAccessibility(onEvent);
  lib.start(config.c_str());
  std::printf("host ready %.6f\n", now());
  std::fflush(stdout);

  g_main_loop_run(gLoop);
  g_main_loop_unref(gLoop);
  std::printf("host done\n");
  return 0;
}
