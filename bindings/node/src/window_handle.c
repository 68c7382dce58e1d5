#include "window_handle.h"

#include <stdint.h>
#include <string.h>

#include "napi_util.h"

#if defined(__APPLE__)
#include <objc/message.h>
#include <objc/runtime.h>

static void *window_of_view(napi_env env, void *view) {
  typedef void *(*send_fn)(void *receiver, SEL selector);
  void *window = ((send_fn)objc_msgSend)(view, sel_registerName("window"));
  if (window == NULL) {
    napi_throw_range_error(env, "ERR_OUT_OF_RANGE", "the view is in no window yet: show the window first");
  }
  return window;
}
#endif

static bool value_of(napi_env env, napi_value value, uint64_t *out) {
  napi_valuetype type;
  bool is_buffer = false;
  napi_typeof(env, value, &type);
  napi_is_buffer(env, value, &is_buffer);
  if (is_buffer) {
    void *data;
    size_t length;
    napi_get_buffer_info(env, value, &data, &length);
    if (length == sizeof(uint32_t)) {
      uint32_t v;
      memcpy(&v, data, sizeof v);
      *out = v;
    } else if (length == sizeof(uint64_t)) {
      memcpy(out, data, sizeof *out);
    } else {
      axn_throw_type(env, "a window handle Buffer holds 4 or 8 bytes (getNativeWindowHandle())");
      return false;
    }
    return true;
  }
  if (type == napi_bigint) {
    bool lossless = false;
    if (napi_get_value_bigint_uint64(env, value, out, &lossless) != napi_ok || !lossless) {
      napi_throw_range_error(env, "ERR_OUT_OF_RANGE", "a window handle BigInt lies from 1 to 2^64-1");
      return false;
    }
    return true;
  }
  if (type == napi_number) {
    double d;
    napi_get_value_double(env, value, &d);
    if (!(d >= 0 && d <= 9007199254740991.0) || d != (double)(uint64_t)d) {
      napi_throw_range_error(env, "ERR_OUT_OF_RANGE", "a window handle number is a non-negative integer");
      return false;
    }
    *out = (uint64_t)d;
    return true;
  }
  axn_throw_type(env, "a window handle is a Buffer (getNativeWindowHandle()), a BigInt or a number");
  return false;
}

void *axn_window_handle(napi_env env, napi_value value, bool from_view) {
  uint64_t raw = 0;
  void *pointer;
  if (!value_of(env, value, &raw)) return NULL;
  if (raw == 0 || raw > UINTPTR_MAX) {
    napi_throw_range_error(env, "ERR_OUT_OF_RANGE", "a window handle is not 0");
    return NULL;
  }
  pointer = (void *)(uintptr_t)raw;
#if defined(__APPLE__)
  if (from_view) return window_of_view(env, pointer);
#else
  (void)from_view;
#endif
  return pointer;
}
