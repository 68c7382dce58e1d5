/* The loaded library: one dlopen handle and the eight entry points looked up
 * in it. The handle has one owner (the addon's instance data) and one release
 * path, axn_library_close. */
#ifndef AXN_LIBRARY_H
#define AXN_LIBRARY_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

typedef void (*axn_callback)(const char *notification, const char *json);

typedef struct axn_library {
  void *handle;
  char path[1024];
  void (*init)(axn_callback callback);
  void (*start)(const char *configuration);
  void (*set_text)(const char *text);
  void (*focus_previous)(void);
  void (*add_mouse_tracker)(void *window);
  bool (*is_trusted)(void);
  bool (*prompt_trust)(void);
  int32_t (*reset)(int32_t argc, char **argv);
} axn_library;

/* Opens `path` with RTLD_NOW | RTLD_LOCAL and looks up every entry point.
 * 0 on success; -1 with a sentence in `error` naming the file and what is
 * wrong with it (the loader's message, or the first symbol it lacks), the
 * library then left closed. */
int axn_library_open(axn_library *library, const char *path, char *error, size_t error_size);

bool axn_library_is_open(const axn_library *library);

void axn_library_close(axn_library *library);

#endif
