#include "delivery.h"

#include "napi_util.h"

static void report(axn_instance *self, napi_value error) {
  napi_value fn, ignored;
  if (napi_get_reference_value(self->env, self->report, &fn) != napi_ok || fn == NULL) return;
  if (napi_call_function(self->env, axn_undefined(self->env), fn, 1, &error, &ignored) ==
      napi_pending_exception) {
    napi_value again;
    napi_get_and_clear_last_exception(self->env, &again);
  }
}

void axn_deliver(const char *notification, const char *json) {
  axn_instance *self = axn_owner;
  napi_handle_scope scope;
  napi_value fn, args[2], result, global;
  napi_status status;
  if (self == NULL || !self->tracking) return;
  if (napi_open_handle_scope(self->env, &scope) != napi_ok) return;
  if (napi_get_reference_value(self->env, self->deliver, &fn) == napi_ok && fn != NULL) {
    args[0] = axn_utf8(self->env, notification);
    args[1] = axn_utf8(self->env, json != NULL ? json : "{}");
    self->delivering = true;
    napi_get_global(self->env, &global);
    status = napi_make_callback(self->env, self->async, global, fn, 2, args, &result);
    self->delivering = false;
    if (status == napi_pending_exception) {
      napi_value error;
      napi_get_and_clear_last_exception(self->env, &error);
      report(self, error);
    }
  }
  napi_close_handle_scope(self->env, scope);
}

bool axn_delivery_begin(axn_instance *self, napi_value deliver, napi_value report_fn) {
  napi_valuetype a, b;
  napi_value resource, name;
  napi_typeof(self->env, deliver, &a);
  napi_typeof(self->env, report_fn, &b);
  if (a != napi_function || b != napi_function) {
    axn_throw_type(self->env, "deliver and report must be functions");
    return false;
  }
  napi_create_reference(self->env, deliver, 1, &self->deliver);
  napi_create_reference(self->env, report_fn, 1, &self->report);
  napi_create_object(self->env, &resource);
  name = axn_utf8(self->env, "axtrack:event");
  napi_async_init(self->env, resource, name, &self->async);
  return true;
}

void axn_delivery_end(axn_instance *self) {
  if (self->deliver != NULL) napi_delete_reference(self->env, self->deliver);
  if (self->report != NULL) napi_delete_reference(self->env, self->report);
  if (self->async != NULL) napi_async_destroy(self->env, self->async);
  self->deliver = NULL;
  self->report = NULL;
  self->async = NULL;
}
