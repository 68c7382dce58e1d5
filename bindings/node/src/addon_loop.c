/* The loop functions for lib/loop.js. On Linux the addon turns GLib's
 * default context from libuv (loop_glib.c); on macOS lib/loop.js turns the
 * main CFRunLoop from a timer through cfTurn (loop_cfrunloop.c). */
#include <stdio.h>
#include <stdlib.h>

#include "instance.h"
#include "napi_util.h"

#if defined(__linux__)
#include <uv.h>

#include "glib_api.h"
#include "loop.h"

/* glibStart(referenced) */
static napi_value glib_start(napi_env env, napi_callback_info info) {
  napi_value argv[1];
  axn_instance *self = axn_instance_of(env);
  struct uv_loop_s *uv = NULL;
  bool referenced = true;
  char error[512];
  if (!axn_args(env, info, 1, argv)) return NULL;
  napi_get_value_bool(env, argv[0], &referenced);
  if (self->loop != NULL) {
    axn_loop_set_ref(self->loop, referenced);
    return axn_undefined(env);
  }
  napi_get_uv_event_loop(env, &uv);
  self->loop = axn_loop_start(uv, "glib", referenced, error, sizeof error);
  if (self->loop == NULL) return axn_throw(env, "AXTRACK_LOOP_UNAVAILABLE", error);
  return axn_undefined(env);
}

void axn_loop_release(axn_instance *self) {
  if (self->loop == NULL) return;
  axn_loop_stop(self->loop);
  self->loop = NULL;
}

static napi_value glib_stop(napi_env env, napi_callback_info info) {
  (void)info;
  axn_loop_release(axn_instance_of(env));
  return axn_undefined(env);
}

static napi_value glib_ref(napi_env env, napi_callback_info info) {
  napi_value argv[1];
  axn_instance *self = axn_instance_of(env);
  bool referenced = true;
  if (!axn_args(env, info, 1, argv)) return NULL;
  napi_get_value_bool(env, argv[0], &referenced);
  if (self->loop != NULL) axn_loop_set_ref(self->loop, referenced);
  return axn_undefined(env);
}

/* glibStats(): null when GLib isn't watched, else {wakeups, descriptors}. */
static napi_value glib_stats(napi_env env, napi_callback_info info) {
  axn_instance *self = axn_instance_of(env);
  axn_loop_stats stats;
  napi_value result;
  (void)info;
  if (self->loop == NULL) {
    napi_get_null(env, &result);
    return result;
  }
  axn_loop_stats_of(self->loop, &stats);
  napi_create_object(env, &result);
  napi_set_named_property(env, result, "wakeups", axn_double(env, (double)stats.wakeups));
  napi_set_named_property(env, result, "descriptors", axn_double(env, stats.descriptors));
  return result;
}

/* probeGlibTimeout(ms, callback): a GLib timeout of `ms` milliseconds on the
 * default context; callback(lateMs) when it fires. For the loop's tests and
 * benchmark: how late GLib's timeouts run inside libuv. */
typedef struct probe {
  napi_env env;
  napi_ref callback;
  napi_async_context async;
  uint64_t due_ns;
} probe;

static int probe_fired(void *data) {
  probe *p = data;
  const double late_ms = ((double)uv_hrtime() - (double)p->due_ns) / 1e6;
  napi_handle_scope scope;
  napi_value fn, arg, result, global;
  napi_open_handle_scope(p->env, &scope);
  napi_get_reference_value(p->env, p->callback, &fn);
  arg = axn_double(p->env, late_ms);
  napi_get_global(p->env, &global);
  if (napi_make_callback(p->env, p->async, global, fn, 1, &arg, &result) ==
      napi_pending_exception) {
    napi_value error;
    napi_get_and_clear_last_exception(p->env, &error);
    napi_fatal_exception(p->env, error);
  }
  napi_close_handle_scope(p->env, scope);
  napi_delete_reference(p->env, p->callback);
  napi_async_destroy(p->env, p->async);
  free(p);
  return 0; /* G_SOURCE_REMOVE */
}

static napi_value probe_glib_timeout(napi_env env, napi_callback_info info) {
  napi_value argv[2], resource;
  double ms = 0;
  axn_glib_api glib;
  char error[512];
  probe *p;
  if (!axn_args(env, info, 2, argv)) return NULL;
  if (axn_instance_of(env)->loop == NULL) {
    return axn_throw(env, "AXTRACK_LOOP_UNAVAILABLE", "GLib's loop isn't turned here: start it first");
  }
  if (napi_get_value_double(env, argv[0], &ms) != napi_ok || !(ms >= 0 && ms < 1e7)) {
    return axn_throw_type(env, "the interval is a number of milliseconds");
  }
  if (axn_glib_open(&glib, error, sizeof error) != 0) return axn_throw(env, "AXTRACK_LOOP_UNAVAILABLE", error);
  p = calloc(1, sizeof *p);
  if (p == NULL) {
    axn_glib_close(&glib);
    return axn_throw(env, "ERR_MEMORY", "out of memory");
  }
  p->env = env;
  napi_create_reference(env, argv[1], 1, &p->callback);
  napi_create_object(env, &resource);
  napi_async_init(env, resource, axn_utf8(env, "axtrack:probe"), &p->async);
  p->due_ns = uv_hrtime() + (uint64_t)(ms * 1e6);
  glib.timeout_add((unsigned)ms, probe_fired, p);
  /* The running loop holds GLib loaded for the timeout. */
  axn_glib_close(&glib);
  return axn_undefined(env);
}

void axn_export_loop(napi_env env, napi_value exports) {
  axn_export(env, exports, "glibStart", glib_start);
  axn_export(env, exports, "glibStop", glib_stop);
  axn_export(env, exports, "glibRef", glib_ref);
  axn_export(env, exports, "glibStats", glib_stats);
  axn_export(env, exports, "probeGlibTimeout", probe_glib_timeout);
}

#elif defined(__APPLE__)
#include "cf_turn.h"

void axn_loop_release(axn_instance *self) { (void)self; }

/* cfTurn(maxMs): one turn of the main CFRunLoop; returns the milliseconds
 * until it next wants turning, at most maxMs. */
static napi_value cf_turn(napi_env env, napi_callback_info info) {
  napi_value argv[1];
  double max_ms = 16;
  if (!axn_args(env, info, 1, argv)) return NULL;
  napi_get_value_double(env, argv[0], &max_ms);
  return axn_double(env, axn_cf_turn(max_ms));
}

void axn_export_loop(napi_env env, napi_value exports) { axn_export(env, exports, "cfTurn", cf_turn); }

#else
void axn_loop_release(axn_instance *self) { (void)self; }
void axn_export_loop(napi_env env, napi_value exports) {
  (void)env;
  (void)exports;
}
#endif
