/* Small helpers at the Node-API boundary: arguments in, errors out. */
#ifndef AXN_NAPI_UTIL_H
#define AXN_NAPI_UTIL_H

#include <node_api.h>
#include <stdbool.h>
#include <stddef.h>

/* Throws an Error with `code` as its "code" property; returns NULL for the
 * caller to return. */
napi_value axn_throw(napi_env env, const char *code, const char *message);
napi_value axn_throw_type(napi_env env, const char *message);

/* The call's arguments; false (with a TypeError thrown) when fewer than
 * `wanted` were given. */
bool axn_args(napi_env env, napi_callback_info info, size_t wanted, napi_value *argv);

/* A string argument as a malloc'd UTF-8 text; NULL with a TypeError thrown
 * when it isn't a string (or memory ran out). Free it with free(). */
char *axn_string(napi_env env, napi_value value, const char *what);

napi_value axn_undefined(napi_env env);
napi_value axn_bool(napi_env env, bool value);
napi_value axn_double(napi_env env, double value);
napi_value axn_utf8(napi_env env, const char *text);

/* Adds a function property to `object`. */
void axn_export(napi_env env, napi_value object, const char *name, napi_callback fn);

#endif
