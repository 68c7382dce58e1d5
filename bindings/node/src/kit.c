#include "kit.h"

#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

int axn_kit_open(axn_kit *kit, const char *path, char *error, size_t error_size) {
  struct {
    const char *name;
    void **slot;
  } wanted[] = {
      {"axtrack_kit_load", (void **)&kit->load},
      {"axtrack_kit_run_until", (void **)&kit->run_until},
      {"axtrack_kit_run_until_idle", (void **)&kit->run_until_idle},
      {"axtrack_kit_now", (void **)&kit->now},
      {"axtrack_kit_window", (void **)&kit->window},
      {"axtrack_kit_text", (void **)&kit->text},
      {"axtrack_kit_pasteboard", (void **)&kit->pasteboard},
      {"axtrack_kit_frontmost", (void **)&kit->frontmost},
      {"axtrack_kit_free", (void **)&kit->free_text},
  };
  size_t i;
  const char *reason;
  memset(kit, 0, sizeof *kit);
  kit->handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (kit->handle == NULL) {
    reason = dlerror();
    snprintf(error, error_size, "can't load %s: %s", path, reason != NULL ? reason : "unknown reason");
    return -1;
  }
  for (i = 0; i < sizeof wanted / sizeof wanted[0]; ++i) {
    *wanted[i].slot = dlsym(kit->handle, wanted[i].name);
    if (*wanted[i].slot == NULL) {
      snprintf(error, error_size, "%s is not the axtrack kit: it has no symbol '%s'", path, wanted[i].name);
      axn_kit_close(kit);
      return -1;
    }
  }
  return 0;
}

void axn_kit_close(axn_kit *kit) {
  if (kit->handle != NULL) dlclose(kit->handle);
  memset(kit, 0, sizeof *kit);
}
