/* A host's test on the simulated desktop, without any real desktop: the
 * host loads libaxtrack-simdesk where it would load libaxtrack, the kit
 * lays out the desktop of a scenario file and plays the user, and the host
 * answers the selection it is told about by replacing it.
 *
 *   kit-host SCENARIO [LIBRARY]
 *
 * Prints the events with their virtual times, then the text of the element
 * "notes" and the pasteboard: the word replaced, the user's clipboard back. */
#include <axtrack/axtrack.h>
#include <axtrack/axtrack_kit.h>
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

/* Found through the run path unless the build names the file. */
#ifndef AXTRACK_SIMDESK_LIBRARY
#define AXTRACK_SIMDESK_LIBRARY "libaxtrack-simdesk.so"
#endif

typedef void (*init_fn)(axtrack_callback callback);
typedef void (*text_fn)(const char *text);

static int selections;

static void on_event(const char *notification, const char *json) {
  printf("event %.3f %s %s\n", axtrack_kit_now(), notification, json);
  if (strcmp(notification, "text_select") == 0) ++selections;
}

int main(int argc, char **argv) {
  const char *path = argc > 2 ? argv[2] : AXTRACK_SIMDESK_LIBRARY;
  char error[512];
  void *library;
  init_fn init;
  text_fn start_tracking, set_text;
  char *text, *pasteboard;
  if (argc < 2) {
    fprintf(stderr, "usage: kit-host SCENARIO [LIBRARY]\n");
    return 2;
  }
  if (axtrack_kit_load(argv[1], error, sizeof error) != 0) {
    fprintf(stderr, "kit-host: %s\n", error);
    return 2;
  }
  library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    fprintf(stderr, "kit-host: %s\n", dlerror());
    return 2;
  }
  *(void **)&init = dlsym(library, "initMacAccessibility");
  *(void **)&start_tracking = dlsym(library, "start");
  *(void **)&set_text = dlsym(library, "setText");
  if (init == NULL || start_tracking == NULL || set_text == NULL) return 2;

  init(on_event);
  start_tracking("{}");
  /* The user activates Scribe, focuses its notes and selects a word. */
  axtrack_kit_run_until(3.0);
  if (selections != 1) {
    fprintf(stderr, "kit-host: %d selections, expected 1\n", selections);
    return 1;
  }
  /* The host answers: the selected word becomes another. */
  set_text("Hallo");
  axtrack_kit_run_until_idle();

  text = axtrack_kit_text("notes");
  pasteboard = axtrack_kit_pasteboard();
  printf("text %s\npasteboard %s\n", text != NULL ? text : "(none)", pasteboard);
  axtrack_kit_free(text);
  axtrack_kit_free(pasteboard);
  return 0;
}
