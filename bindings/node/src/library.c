#include "library.h"

#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

static void *lookup(void *handle, const char *name, const char **missing) {
  void *symbol;
  if (*missing != NULL) return NULL;
  dlerror();
  symbol = dlsym(handle, name);
  if (symbol == NULL) *missing = name;
  return symbol;
}

int axn_library_open(axn_library *library, const char *path, char *error, size_t error_size) {
  const char *missing = NULL;
  const char *reason;
  void *handle;
  memset(library, 0, sizeof *library);
  handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (handle == NULL) {
    reason = dlerror();
    snprintf(error, error_size, "can't load %s: %s", path, reason != NULL ? reason : "unknown reason");
    return -1;
  }
  /* Function pointers from dlsym's object pointer, as POSIX allows. */
  *(void **)&library->init = lookup(handle, "initMacAccessibility", &missing);
  *(void **)&library->start = lookup(handle, "start", &missing);
  *(void **)&library->set_text = lookup(handle, "setText", &missing);
  *(void **)&library->focus_previous = lookup(handle, "focusPreiov", &missing);
  *(void **)&library->add_mouse_tracker = lookup(handle, "addMouseTracker", &missing);
  *(void **)&library->is_trusted = lookup(handle, "isAccessibiltyEnabled", &missing);
  *(void **)&library->prompt_trust = lookup(handle, "showAccessibiltyPermisionPopup", &missing);
  *(void **)&library->reset = lookup(handle, "main", &missing);
  if (missing != NULL) {
    snprintf(error, error_size, "%s is not the axtrack library: it has no symbol '%s'", path, missing);
    dlclose(handle);
    memset(library, 0, sizeof *library);
    return -1;
  }
  library->handle = handle;
  snprintf(library->path, sizeof library->path, "%s", path);
  return 0;
}

bool axn_library_is_open(const axn_library *library) { return library->handle != NULL; }

void axn_library_close(axn_library *library) {
  if (library->handle != NULL) dlclose(library->handle);
  memset(library, 0, sizeof *library);
}
