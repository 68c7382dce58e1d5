// A host for the tests against real applications: it loads libaxtrack.so
// with dlopen exactly as a host application does, runs a GLib main loop on
// its main thread and prints every event it receives, stamped with the
// wall-clock time at which it arrived, so that a driver can match events to
// the actions it took:
//
//   event <seconds since the epoch> <name> <json>
//
// Usage: axtrack-linux-host LIBRARY [--config JSON] [--prompt] [--seconds N] [--window]
//                            [--unload]
//
//   --config JSON  the configuration given to start() (default "{}")
//   --prompt       asks for accessibility with showAccessibiltyPermisionPopup
//                  before starting, and prints both answers
//   --seconds N    quits after N seconds (default 60): the host never
//                  outlives a driver that forgot it
//   --window       opens a window of its own (plain Xlib, 320x240 at
//                  600,400) and prints "host window <id>"
//   --unload       dlcloses the library right after start() and prints
//                  "host unloaded the library"; the main loop goes on, and
//                  no call is made any more (standard input is read and
//                  ignored)
//
// Standard input takes the host's calls, one a line, made when the line
// arrives:
//
//   setText TEXT          (\n in TEXT is a line break, \\ a backslash)
//   focusPreiov
//   addMouseTracker ID    (an X11 window identifier, decimal or 0x...)
//
// Before each call it prints "calling NAME <time>", after it "did NAME
// <time before> <time after>".
//
// It quits on SIGTERM and SIGINT, and when standard input is closed.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <glib-unix.h>
#include <glib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <string>

#include "axtrack/axtrack.h"

namespace {

struct Library {
  void (*initMacAccessibility)(axtrack_callback) = nullptr;
  void (*start)(const char*) = nullptr;
  bool (*isAccessibiltyEnabled)() = nullptr;
  bool (*showAccessibiltyPermisionPopup)() = nullptr;
  void (*setText)(const char*) = nullptr;
  void (*focusPreiov)() = nullptr;
  void (*addMouseTracker)(void*) = nullptr;
};

GMainLoop* gLoop = nullptr;
Library gLib;
std::string gPending;  // standard input not yet ending in a line break

double now() { return static_cast<double>(g_get_real_time()) / 1e6; }

void onEvent(const char* name, const char* json) {
  std::printf("event %.6f %s %s\n", now(), name, json);
  std::fflush(stdout);
}

gboolean quit(gpointer) {
  g_main_loop_quit(gLoop);
  return G_SOURCE_REMOVE;
}

std::string unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      ++i;
      out.push_back(text[i] == 'n' ? '\n' : text[i]);
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

void run(const std::string& line) {
  if (gLib.setText == nullptr) return;  // unloaded
  const std::size_t space = line.find(' ');
  const std::string name = line.substr(0, space);
  const std::string argument = space == std::string::npos ? std::string() : line.substr(space + 1);
  if (name != "setText" && name != "focusPreiov" && name != "addMouseTracker") {
    std::printf("host: unknown command %s\n", line.c_str());
    std::fflush(stdout);
    return;
  }
  const double before = now();
  std::printf("calling %s %.6f\n", name.c_str(), before);
  std::fflush(stdout);
  if (name == "setText") {
    gLib.setText(unescaped(argument).c_str());
  } else if (name == "focusPreiov") {
    gLib.focusPreiov();
  } else {
    const auto id = static_cast<std::uintptr_t>(std::strtoull(argument.c_str(), nullptr, 0));
    gLib.addMouseTracker(reinterpret_cast<void*>(id));
  }
  std::printf("did %s %.6f %.6f\n", name.c_str(), before, now());
  std::fflush(stdout);
}

gboolean input(gint fd, GIOCondition, gpointer) {
  char buffer[4096];
  const ssize_t n = read(fd, buffer, sizeof buffer);
  if (n <= 0) {
    g_main_loop_quit(gLoop);
    return G_SOURCE_REMOVE;
  }
  gPending.append(buffer, static_cast<std::size_t>(n));
  std::size_t end;
  while ((end = gPending.find('\n')) != std::string::npos) {
    const std::string line = gPending.substr(0, end);
    gPending.erase(0, end + 1);
    if (!line.empty()) run(line);
  }
  return G_SOURCE_CONTINUE;
}

// A plain top-level window, as a host's own window would be.
Window openWindow(Display* d) {
  const int screen = DefaultScreen(d);
  const Window w = XCreateSimpleWindow(d, RootWindow(d, screen), 600, 400, 320, 240, 0,
                                       BlackPixel(d, screen), WhitePixel(d, screen));
  XStoreName(d, w, "axtrack test host");
  XSizeHints hints{};
  hints.flags = PPosition | PSize;
  hints.x = 600;
  hints.y = 400;
  hints.width = 320;
  hints.height = 240;
  XSetWMNormalHints(d, w, &hints);
  XMapWindow(d, w);
  XSync(d, False);
  return w;
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
    std::fprintf(stderr, "usage: %s LIBRARY [--config JSON] [--prompt] [--seconds N] [--window]\n", argv[0]);
    return 2;
  }
  std::string config = "{}";
  bool prompt = false;
  bool window = false;
  bool unload = false;
  double seconds = 60;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--config") == 0 && i + 1 < argc) {
      config = argv[++i];
    } else if (std::strcmp(argv[i], "--prompt") == 0) {
      prompt = true;
    } else if (std::strcmp(argv[i], "--window") == 0) {
      window = true;
    } else if (std::strcmp(argv[i], "--unload") == 0) {
      unload = true;
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
  Library& lib = gLib;
  if (!bind(handle, "initMacAccessibility", lib.initMacAccessibility) || !bind(handle, "start", lib.start) ||
      !bind(handle, "isAccessibiltyEnabled", lib.isAccessibiltyEnabled) ||
      !bind(handle, "showAccessibiltyPermisionPopup", lib.showAccessibiltyPermisionPopup) ||
      !bind(handle, "setText", lib.setText) || !bind(handle, "focusPreiov", lib.focusPreiov) ||
      !bind(handle, "addMouseTracker", lib.addMouseTracker)) {
    return 1;
  }
  Display* display = nullptr;
  if (window) {
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
      std::fprintf(stderr, "host: no X server for --window\n");
      return 1;
    }
    std::printf("host window %lu\n", openWindow(display));
  }

  gLoop = g_main_loop_new(nullptr, FALSE);
  g_timeout_add(static_cast<guint>(seconds * 1000), quit, nullptr);
  g_unix_signal_add(SIGTERM, quit, nullptr);
  g_unix_signal_add(SIGINT, quit, nullptr);
  g_unix_fd_add(0, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR), input, nullptr);

  std::printf("trusted %s\n", lib.isAccessibiltyEnabled() ? "true" : "false");
  if (prompt) {
    std::printf("prompt answered %s\n", lib.showAccessibiltyPermisionPopup() ? "true" : "false");
    std::printf("trusted %s\n", lib.isAccessibiltyEnabled() ? "true" : "false");
  }
  lib.initMacAccessibility(onEvent);
  lib.start(config.c_str());
  std::printf("host ready %.6f\n", now());
  if (unload) {
    // A host done with the library; its entry points must not be called
    // again.
    if (dlclose(handle) != 0) std::fprintf(stderr, "host: %s\n", dlerror());
    gLib = Library{};
    std::printf("host unloaded the library\n");
  }
  std::fflush(stdout);

  g_main_loop_run(gLoop);
  g_main_loop_unref(gLoop);
  if (display != nullptr) XCloseDisplay(display);
  std::printf("host done\n");
  return 0;
}
