#include "glib_api.h"

#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

#define AXN_GLIB_SONAME "libglib-2.0.so.0"

bool axn_glib_present(void) {
  void *handle = dlopen(AXN_GLIB_SONAME, RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
  if (handle == NULL) return false;
  dlclose(handle);
  return true;
}

int axn_glib_open(axn_glib_api *api, char *error, size_t error_size) {
  struct {
    const char *name;
    void **slot;
  } wanted[] = {
      {"g_main_context_default", (void **)&api->context_default},
      {"g_main_context_acquire", (void **)&api->acquire},
      {"g_main_context_release", (void **)&api->release},
      {"g_main_context_prepare", (void **)&api->prepare},
      {"g_main_context_query", (void **)&api->query},
      {"g_main_context_check", (void **)&api->check},
      {"g_main_context_dispatch", (void **)&api->dispatch},
      {"g_timeout_add", (void **)&api->timeout_add},
  };
  size_t i;
  memset(api, 0, sizeof *api);
  api->handle = dlopen(AXN_GLIB_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (api->handle == NULL) {
    snprintf(error, error_size, "GLib's main loop is wanted, but %s can't be loaded: %s", AXN_GLIB_SONAME,
             dlerror());
    return -1;
  }
  for (i = 0; i < sizeof wanted / sizeof wanted[0]; ++i) {
    *wanted[i].slot = dlsym(api->handle, wanted[i].name);
    if (*wanted[i].slot == NULL) {
      snprintf(error, error_size, "%s has no symbol '%s'", AXN_GLIB_SONAME, wanted[i].name);
      axn_glib_close(api);
      return -1;
    }
  }
  return 0;
}

void axn_glib_close(axn_glib_api *api) {
  if (api->handle != NULL) dlclose(api->handle);
  memset(api, 0, sizeof *api);
}
