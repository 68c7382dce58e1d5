#include "napi_util.h"

#include <stdio.h>
#include <stdlib.h>

napi_value axn_throw(napi_env env, const char *code, const char *message) {
  napi_throw_error(env, code, message);
  return NULL;
}

napi_value axn_throw_type(napi_env env, const char *message) {
  napi_throw_type_error(env, "ERR_INVALID_ARG_TYPE", message);
  return NULL;
}

bool axn_args(napi_env env, napi_callback_info info, size_t wanted, napi_value *argv) {
  size_t argc = wanted;
  if (napi_get_cb_info(env, info, &argc, argv, NULL, NULL) != napi_ok) return false;
  if (argc < wanted) {
    axn_throw_type(env, "missing argument");
    return false;
  }
  return true;
}

char *axn_string(napi_env env, napi_value value, const char *what) {
  size_t length = 0;
  char *text;
  char message[160];
  if (napi_get_value_string_utf8(env, value, NULL, 0, &length) != napi_ok) {
    snprintf(message, sizeof message, "%s must be a string", what);
    axn_throw_type(env, message);
    return NULL;
  }
  text = malloc(length + 1);
  if (text == NULL) {
    axn_throw(env, "ERR_MEMORY", "out of memory");
    return NULL;
  }
  napi_get_value_string_utf8(env, value, text, length + 1, &length);
  return text;
}

napi_value axn_undefined(napi_env env) {
  napi_value v;
  napi_get_undefined(env, &v);
  return v;
}

napi_value axn_bool(napi_env env, bool value) {
  napi_value v;
  napi_get_boolean(env, value, &v);
  return v;
}

napi_value axn_double(napi_env env, double value) {
  napi_value v;
  napi_create_double(env, value, &v);
  return v;
}

napi_value axn_utf8(napi_env env, const char *text) {
  napi_value v;
  if (text == NULL) {
    napi_get_null(env, &v);
  } else {
    napi_create_string_utf8(env, text, NAPI_AUTO_LENGTH, &v);
  }
  return v;
}

void axn_export(napi_env env, napi_value object, const char *name, napi_callback fn) {
  napi_value f;
  napi_create_function(env, name, NAPI_AUTO_LENGTH, fn, NULL, &f);
  napi_set_named_property(env, object, name, f);
}
