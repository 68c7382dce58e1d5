/* Loads the built library the way a host does, privately (RTLD_LOCAL), finds
 * each of its eight entry points by name and calls the ones that are safe
 * without a user session: the two accessibility queries, initMacAccessibility
 * with a callback, and the exported main (which empties the module state).
 *
 *   load_check PATH_TO_LIBRARY      exit status 0 when everything held
 */
#include <dlfcn.h>
#include <stdio.h>

#include "axtrack/axtrack.h"

static int events;

static void on_event(const char *notification, const char *json) {
  (void)notification;
  (void)json;
  ++events;
}

int main(int argc, char **argv) {
  static const char *const names[] = {
      "initMacAccessibility", "start", "setText", "focusPreiov", "addMouseTracker",
      "isAccessibiltyEnabled", "showAccessibiltyPermisionPopup", "main"};
  void *entry[sizeof names / sizeof names[0]];
  if (argc != 2) {
    fprintf(stderr, "usage: %s LIBRARY\n", argv[0]);
    return 2;
  }
  void *library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    fprintf(stderr, "dlopen %s: %s\n", argv[1], dlerror());
    return 1;
  }
  int missing = 0;
  for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
    entry[i] = dlsym(library, names[i]);
    if (!entry[i]) {
      fprintf(stderr, "missing entry point %s\n", names[i]);
      ++missing;
    }
  }
  if (missing) return 1;
  /* Function pointers from dlsym's object pointers, as POSIX allows. */
  void (*init)(axtrack_callback);
  bool (*enabled)(void);
  bool (*prompt)(void);
  axtrack_main_fn module_main;
  *(void **)&init = entry[0];
  *(void **)&enabled = entry[5];
  *(void **)&prompt = entry[6];
  *(void **)&module_main = entry[7];
  printf("accessibility enabled: %d\n", enabled() ? 1 : 0);
  printf("accessibility enabled (asking): %d\n", prompt() ? 1 : 0);
  init(on_event);
  char name[] = "axtrack";
  char *arguments[] = {name, NULL};
  int32_t status = module_main(1, arguments);
  if (status != 0) {
    fprintf(stderr, "main returned %d\n", (int)status);
    return 1;
  }
  init(NULL);
  if (module_main(1, arguments) != 0) return 1;
  printf("all %zu entry points found; queries, init and main called\n", sizeof names / sizeof names[0]);
  return dlclose(library) == 0 ? 0 : 1;
}
