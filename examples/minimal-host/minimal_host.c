/* The smallest host: loads the library, starts tracking, runs the main loop
 * and prints each event it receives, one line each: NAME JSON.
 *
 *   minimal-host [LIBRARY [SECONDS]]
 *
 * LIBRARY defaults to the one the build found installed; with SECONDS the host
 * quits after that long. The library is loaded with RTLD_LOCAL, so that its
 * short entry-point names (start, main, setText) never meet the host's own. */
#include <axtrack/axtrack.h>
#include <dlfcn.h>
#include <glib.h>
#include <stdio.h>
#include <stdlib.h>

#ifndef AXTRACK_LIBRARY_PATH
#define AXTRACK_LIBRARY_PATH "libaxtrack.so.0"
#endif

typedef void (*init_fn)(axtrack_callback callback);
typedef void (*start_fn)(const char *configuration);

static void on_event(const char *notification, const char *json) {
  printf("%s %s\n", notification, json);
  fflush(stdout);
}

static gboolean quit(gpointer loop) {
  g_main_loop_quit(loop);
  return G_SOURCE_REMOVE;
}

int main(int argc, char **argv) {
  const char *path = argc > 1 ? argv[1] : AXTRACK_LIBRARY_PATH;
  void *library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  init_fn init;
  start_fn start_tracking;
  GMainLoop *loop;
  if (library == NULL) {
    fprintf(stderr, "minimal-host: %s\n", dlerror());
    return 1;
  }
  /* POSIX's way from dlsym's object pointer to a function pointer. */
  *(void **)&init = dlsym(library, "initMacAccessibility");
  *(void **)&start_tracking = dlsym(library, "start");
  if (init == NULL || start_tracking == NULL) {
    fprintf(stderr, "minimal-host: %s is not the axtrack library\n", path);
    return 1;
  }
  init(on_event);
  start_tracking("{}");
  /* Every event comes from this loop: the library's work happens on the
   * thread that runs GLib's default main context. */
  loop = g_main_loop_new(NULL, FALSE);
  if (argc > 2) g_timeout_add((guint)(atof(argv[2]) * 1000), quit, loop);
  g_main_loop_run(loop);
  g_main_loop_unref(loop);
  return 0;
}
