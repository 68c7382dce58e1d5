/* The kit's functions for lib/kit.js: a Node host's tests lay out a
 * simulated desktop from a scenario file and play the user on it. */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "instance.h"
#include "napi_util.h"

static axn_instance *kit_of(napi_env env) {
  axn_instance *self = axn_instance_of(env);
  if (self->kit.handle != NULL) return self;
  axn_throw(env, "AXTRACK_KIT_NOT_LOADED", "the kit isn't loaded");
  return NULL;
}

static napi_value kit_open(napi_env env, napi_callback_info info) {
  napi_value argv[1];
  axn_instance *self = axn_instance_of(env);
  char error[1400];
  char *path;
  if (!axn_args(env, info, 1, argv)) return NULL;
  if (self->kit.handle != NULL) return axn_undefined(env);
  path = axn_string(env, argv[0], "the kit path");
  if (path == NULL) return NULL;
  if (axn_kit_open(&self->kit, path, error, sizeof error) != 0) {
    free(path);
    return axn_throw(env, "AXTRACK_LOAD_FAILED", error);
  }
  free(path);
  return axn_undefined(env);
}

static napi_value kit_load(napi_env env, napi_callback_info info) {
  napi_value argv[1];
  axn_instance *self = kit_of(env);
  char error[1024];
  char *path;
  if (self == NULL || !axn_args(env, info, 1, argv)) return NULL;
  path = axn_string(env, argv[0], "the scenario path");
  if (path == NULL) return NULL;
  if (self->kit.load(path, error, sizeof error) != 0) {
    free(path);
    return axn_throw(env, "AXTRACK_SCENARIO", error);
  }
  free(path);
  return axn_undefined(env);
}

static napi_value kit_run_until(napi_env env, napi_callback_info info) {
  napi_value argv[1];
  axn_instance *self = kit_of(env);
  double seconds;
  if (self == NULL || !axn_args(env, info, 1, argv)) return NULL;
  if (napi_get_value_double(env, argv[0], &seconds) != napi_ok) return axn_throw_type(env, "seconds must be a number");
  self->kit.run_until(seconds);
  return axn_undefined(env);
}

static napi_value kit_run_until_idle(napi_env env, napi_callback_info info) {
  axn_instance *self = kit_of(env);
  (void)info;
  if (self == NULL) return NULL;
  return axn_double(env, self->kit.run_until_idle());
}

static napi_value kit_now(napi_env env, napi_callback_info info) {
  axn_instance *self = kit_of(env);
  (void)info;
  if (self == NULL) return NULL;
  return axn_double(env, self->kit.now());
}

/* window(id): the host window's handle as a Buffer, as Electron's
 * getNativeWindowHandle() gives one; null for an unknown id. */
static napi_value kit_window(napi_env env, napi_callback_info info) {
  napi_value argv[1], result;
  axn_instance *self = kit_of(env);
  char *id;
  void *window;
  uint64_t raw;
  if (self == NULL || !axn_args(env, info, 1, argv)) return NULL;
  id = axn_string(env, argv[0], "the window id");
  if (id == NULL) return NULL;
  window = self->kit.window(id);
  free(id);
  if (window == NULL) {
    napi_get_null(env, &result);
    return result;
  }
  raw = (uint64_t)(uintptr_t)window;
  napi_create_buffer_copy(env, sizeof raw, &raw, NULL, &result);
  return result;
}

static napi_value owned_text(napi_env env, axn_instance *self, char *text) {
  napi_value result = axn_utf8(env, text);
  if (text != NULL) self->kit.free_text(text);
  return result;
}

static napi_value kit_text(napi_env env, napi_callback_info info) {
  napi_value argv[1];
  axn_instance *self = kit_of(env);
  char *id;
  napi_value result;
  if (self == NULL || !axn_args(env, info, 1, argv)) return NULL;
  id = axn_string(env, argv[0], "the element id");
  if (id == NULL) return NULL;
  result = owned_text(env, self, self->kit.text(id));
  free(id);
  return result;
}

static napi_value kit_pasteboard(napi_env env, napi_callback_info info) {
  axn_instance *self = kit_of(env);
  (void)info;
  if (self == NULL) return NULL;
  return owned_text(env, self, self->kit.pasteboard());
}

static napi_value kit_frontmost(napi_env env, napi_callback_info info) {
  axn_instance *self = kit_of(env);
  (void)info;
  if (self == NULL) return NULL;
  return axn_double(env, self->kit.frontmost());
}

void axn_export_kit(napi_env env, napi_value exports) {
  axn_export(env, exports, "kitOpen", kit_open);
  axn_export(env, exports, "kitLoad", kit_load);
  axn_export(env, exports, "kitRunUntil", kit_run_until);
  axn_export(env, exports, "kitRunUntilIdle", kit_run_until_idle);
  axn_export(env, exports, "kitNow", kit_now);
  axn_export(env, exports, "kitWindow", kit_window);
  axn_export(env, exports, "kitText", kit_text);
  axn_export(env, exports, "kitPasteboard", kit_pasteboard);
  axn_export(env, exports, "kitFrontmost", kit_frontmost);
}
