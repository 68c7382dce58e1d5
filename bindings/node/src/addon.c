/* The addon's entry: its functions for lib/native.js, and the life of its
 * per-environment instance. The JavaScript layer (lib/) makes the interface
 * hosts use; these functions are its thin, checked way into the library. */
#include <stdlib.h>
#include <string.h>

#include "delivery.h"
#include "instance.h"
#include "napi_util.h"
#include "window_handle.h"
#if defined(__linux__)
#include "glib_api.h"
#endif

axn_instance *axn_owner;

axn_instance *axn_instance_of(napi_env env) {
  void *data = NULL;
  napi_get_instance_data(env, &data);
  return data;
}

static axn_instance *self_of(napi_env env, napi_callback_info info, size_t wanted, napi_value *argv) {
  if (wanted > 0 && !axn_args(env, info, wanted, argv)) return NULL;
  return axn_instance_of(env);
}

static bool require_library(axn_instance *self) {
  if (axn_library_is_open(&self->library)) return true;
  axn_throw(self->env, "AXTRACK_NOT_LOADED", "the axtrack library isn't loaded");
  return false;
}

static bool require_tracking(axn_instance *self) {
  if (!require_library(self)) return false;
  if (self->tracking) return true;
  axn_throw(self->env, "AXTRACK_NOT_STARTED", "not tracking: call start() first");
  return false;
}

/* open(path): loads the library from `path`; the path already loaded is
 * accepted again, another one is refused (the library's state is the
 * process's). Returns the path. */
static napi_value open_library(napi_env env, napi_callback_info info) {
  napi_value argv[1];
  axn_instance *self = self_of(env, info, 1, argv);
  char error[1400];
  char *path;
  napi_value result;
  if (self == NULL) return NULL;
  path = axn_string(env, argv[0], "the library path");
  if (path == NULL) return NULL;
  if (axn_library_is_open(&self->library)) {
    const bool same = strcmp(self->library.path, path) == 0;
    free(path);
    if (!same) return axn_throw(env, "AXTRACK_LOAD_FAILED", "another axtrack library is loaded in this process already");
    return axn_utf8(env, self->library.path);
  }
  if (axn_library_open(&self->library, path, error, sizeof error) != 0) {
    free(path);
    return axn_throw(env, "AXTRACK_LOAD_FAILED", error);
  }
  free(path);
  result = axn_utf8(env, self->library.path);
  return result;
}

/* begin(deliver, report): initMacAccessibility with the addon's callback. */
static napi_value begin(napi_env env, napi_callback_info info) {
  napi_value argv[2];
  axn_instance *self = self_of(env, info, 2, argv);
  if (self == NULL || !require_library(self)) return NULL;
  if (axn_owner != NULL && axn_owner != self) {
    return axn_throw(env, "AXTRACK_BUSY", "another Node environment of this process is tracking already");
  }
  if (self->tracking) {
    self->tracking = false;
    axn_delivery_end(self);
  }
  if (!axn_delivery_begin(self, argv[0], argv[1])) return NULL;
  axn_owner = self;
  self->tracking = true;
  self->library.init(axn_deliver);
  return axn_undefined(env);
}

static napi_value start_tracking(napi_env env, napi_callback_info info) {
  napi_value argv[1];
  axn_instance *self = self_of(env, info, 1, argv);
  char *configuration;
  if (self == NULL || !require_tracking(self)) return NULL;
  configuration = axn_string(env, argv[0], "the configuration");
  if (configuration == NULL) return NULL;
  self->library.start(configuration);
  free(configuration);
  return axn_undefined(env);
}

/* Ends tracking: the library's main() empties its state. */
static void end_tracking(axn_instance *self) {
  if (!self->tracking) return;
  self->tracking = false;
  self->library.reset(0, NULL);
  axn_delivery_end(self);
  if (axn_owner == self) axn_owner = NULL;
}

static napi_value end(napi_env env, napi_callback_info info) {
  axn_instance *self = self_of(env, info, 0, NULL);
  if (self == NULL) return NULL;
  end_tracking(self);
  return axn_undefined(env);
}

static napi_value set_text(napi_env env, napi_callback_info info) {
  napi_value argv[1];
  axn_instance *self = self_of(env, info, 1, argv);
  char *text;
  if (self == NULL || !require_tracking(self)) return NULL;
  text = axn_string(env, argv[0], "the text");
  if (text == NULL) return NULL;
  self->library.set_text(text);
  free(text);
  return axn_undefined(env);
}

static napi_value focus_previous(napi_env env, napi_callback_info info) {
  axn_instance *self = self_of(env, info, 0, NULL);
  if (self == NULL || !require_tracking(self)) return NULL;
  self->library.focus_previous();
  return axn_undefined(env);
}

/* addMouseTracker(handle, fromView) */
static napi_value add_mouse_tracker(napi_env env, napi_callback_info info) {
  napi_value argv[2];
  axn_instance *self = self_of(env, info, 2, argv);
  bool from_view = false;
  void *window;
  if (self == NULL || !require_tracking(self)) return NULL;
  napi_get_value_bool(env, argv[1], &from_view);
  window = axn_window_handle(env, argv[0], from_view);
  if (window == NULL) return NULL;
  self->library.add_mouse_tracker(window);
  return axn_undefined(env);
}

static napi_value is_trusted(napi_env env, napi_callback_info info) {
  axn_instance *self = self_of(env, info, 0, NULL);
  if (self == NULL || !require_library(self)) return NULL;
  return axn_bool(env, self->library.is_trusted());
}

static napi_value prompt_trust(napi_env env, napi_callback_info info) {
  axn_instance *self = self_of(env, info, 0, NULL);
  if (self == NULL || !require_library(self)) return NULL;
  return axn_bool(env, self->library.prompt_trust());
}

static napi_value glib_present(napi_env env, napi_callback_info info) {
  (void)info;
#if defined(__linux__)
  return axn_bool(env, axn_glib_present());
#else
  return axn_bool(env, false);
#endif
}

void axn_export_loop(napi_env env, napi_value exports);
void axn_export_kit(napi_env env, napi_value exports);
void axn_loop_release(axn_instance *self);

static void cleanup(void *data) {
  axn_instance *self = data;
  end_tracking(self);
  axn_loop_release(self);
}

static void finalize(napi_env env, void *data, void *hint) {
  axn_instance *self = data;
  (void)env;
  (void)hint;
  /* The library stays mapped: sources it added to the main loop may still
   * be there when the process ends. */
  axn_kit_close(&self->kit);
  free(self);
}

NAPI_MODULE_INIT() {
  axn_instance *self = calloc(1, sizeof *self);
  if (self == NULL) return axn_throw(env, "ERR_MEMORY", "out of memory");
  self->env = env;
  napi_set_instance_data(env, self, finalize, NULL);
  napi_add_env_cleanup_hook(env, cleanup, self);
  axn_export(env, exports, "open", open_library);
  axn_export(env, exports, "begin", begin);
  axn_export(env, exports, "start", start_tracking);
  axn_export(env, exports, "end", end);
  axn_export(env, exports, "setText", set_text);
  axn_export(env, exports, "focusPrevious", focus_previous);
  axn_export(env, exports, "addMouseTracker", add_mouse_tracker);
  axn_export(env, exports, "isTrusted", is_trusted);
  axn_export(env, exports, "promptTrust", prompt_trust);
  axn_export(env, exports, "glibPresent", glib_present);
  axn_export_loop(env, exports);
  axn_export_kit(env, exports);
  return exports;
}
