// The host of the desktop benchmark: either the library, loaded with dlopen
// as a host application loads it, or the floor client (minimal_client.h),
// on the same GLib main loop. It prints one line per event, with the size
// and a hash of its JSON, and the JSON itself only when it is short (a
// selection in a large document carries megabytes):
//
//   event <seconds since the epoch> <name> <bytes> <fnv-1a hash> [<json>]
//
// and, for each line "mark LABEL" on standard input, what the process has
// spent so far:
//
//   mark LABEL <CPU µs> <D-Bus writes> <D-Bus bytes out> <D-Bus bytes in>
//        <X11 requests> <X11 round trips>
//
// CPU time is getrusage's user and system time of the whole process; the
// D-Bus and X11 figures come from the preloaded counter (io_counts.cpp), or
// are -1 without it.
//
// Usage: axtrack-bench-host (--library PATH | --minimal) [--seconds N]
#include <dlfcn.h>
#include <glib-unix.h>
#include <glib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "axtrack/axtrack.h"
#include "io_counts.h"
#include "minimal_client.h"

namespace {

GMainLoop* gLoop = nullptr;

std::uint64_t fnv1a(std::string_view text) {
  std::uint64_t h = 14695981039346656037ULL;
  for (const char c : text) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ULL;
  }
  return h;
}

constexpr std::size_t kShownJson = 400;

void printEvent(const char* name, std::string_view json) {
  std::printf("event %.6f %s %zu %016llx", static_cast<double>(g_get_real_time()) / 1e6, name, json.size(),
              static_cast<unsigned long long>(fnv1a(json)));
  if (json.size() <= kShownJson) std::printf(" %.*s", static_cast<int>(json.size()), json.data());
  std::printf("\n");
  std::fflush(stdout);
}

void onLibraryEvent(const char* name, const char* json) { printEvent(name, json == nullptr ? "" : json); }

long long cpuMicroseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto us = [](const timeval& t) { return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec; };
  return us(usage.ru_utime) + us(usage.ru_stime);
}

void mark(const std::string& label) {
  AxbenchIoCounts counts{};
  long long dbusWrites = -1, dbusOut = -1, dbusIn = -1, x11Requests = -1, x11RoundTrips = -1;
  if (auto read = reinterpret_cast<AxbenchIoCountsFn>(dlsym(RTLD_DEFAULT, kAxbenchIoCountsSymbol))) {
    read(&counts);
    dbusWrites = static_cast<long long>(counts.dbusWrites);
    dbusOut = static_cast<long long>(counts.dbusBytesOut);
    dbusIn = static_cast<long long>(counts.dbusBytesIn);
    x11Requests = static_cast<long long>(counts.x11Requests);
    x11RoundTrips = static_cast<long long>(counts.x11RoundTrips);
  }
  std::printf("mark %s %lld %lld %lld %lld %lld %lld\n", label.c_str(), cpuMicroseconds(), dbusWrites, dbusOut,
              dbusIn, x11Requests, x11RoundTrips);
  std::fflush(stdout);
}

gboolean quit(gpointer) {
  g_main_loop_quit(gLoop);
  return G_SOURCE_REMOVE;
}

// One "mark LABEL" a line; the channel may hold more lines than the socket
// says.
gboolean input(GIOChannel* channel, GIOCondition, gpointer) {
  do {
    gchar* raw = nullptr;
    gsize length = 0;
    const GIOStatus status = g_io_channel_read_line(channel, &raw, &length, nullptr, nullptr);
    const std::unique_ptr<gchar, decltype(&g_free)> line(raw, g_free);
    if (status == G_IO_STATUS_EOF || status == G_IO_STATUS_ERROR) {
      g_main_loop_quit(gLoop);
      return G_SOURCE_REMOVE;
    }
    const std::string_view text = line ? std::string_view(line.get(), length) : std::string_view();
    if (text.starts_with("mark ")) mark(std::string(text.substr(5, text.find_last_not_of('\n') - 4)));
  } while ((g_io_channel_get_buffer_condition(channel) & G_IO_IN) != 0);
  return G_SOURCE_CONTINUE;
}

struct LibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};

// The library as a host uses it: the callback, then start with an empty
// configuration.
std::unique_ptr<void, LibraryCloser> startLibrary(const char* path) {
  std::unique_ptr<void, LibraryCloser> handle(dlopen(path, RTLD_NOW | RTLD_LOCAL));
  if (!handle) {
    std::fprintf(stderr, "bench host: %s\n", dlerror());
    return nullptr;
  }
  auto init = reinterpret_cast<void (*)(axtrack_callback)>(dlsym(handle.get(), "initMacAccessibility"));
  auto start = reinterpret_cast<void (*)(const char*)>(dlsym(handle.get(), "start"));
  if (init == nullptr || start == nullptr) {
    std::fprintf(stderr, "bench host: %s lacks the entry points\n", path);
    return nullptr;
  }
  init(onLibraryEvent);
  start("{}");
  return handle;
}

}  // namespace

int main(int argc, char** argv) {
  const char* library = nullptr;
  bool minimal = false;
  double seconds = 600;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--library") == 0 && i + 1 < argc) {
      library = argv[++i];
    } else if (std::strcmp(argv[i], "--minimal") == 0) {
      minimal = true;
    } else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: %s (--library PATH | --minimal) [--seconds N]\n", argv[0]);
      return 2;
    }
  }
  if ((library == nullptr) == !minimal) {
    std::fprintf(stderr, "bench host: give either --library PATH or --minimal\n");
    return 2;
  }
  gLoop = g_main_loop_new(nullptr, FALSE);
  g_timeout_add(static_cast<guint>(seconds * 1000), quit, nullptr);
  g_unix_signal_add(SIGTERM, quit, nullptr);
  g_unix_signal_add(SIGINT, quit, nullptr);
  const std::unique_ptr<GIOChannel, decltype(&g_io_channel_unref)> in(g_io_channel_unix_new(0), g_io_channel_unref);
  g_io_add_watch(in.get(), static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR), input, nullptr);

  std::unique_ptr<void, LibraryCloser> handle;
  std::unique_ptr<axbench::MinimalClient> client;
  if (minimal) {
    client = std::make_unique<axbench::MinimalClient>(
        [](const char* name, const std::string& json) { printEvent(name, json); });
    std::string error;
    if (!client->start(error)) {
      std::fprintf(stderr, "bench host: %s\n", error.c_str());
      return 1;
    }
  } else {
    handle = startLibrary(library);
    if (!handle) return 1;
  }
  std::printf("host ready %.6f\n", static_cast<double>(g_get_real_time()) / 1e6);
  std::fflush(stdout);
  g_main_loop_run(gLoop);
  client.reset();
  g_main_loop_unref(gLoop);
  return 0;
}
