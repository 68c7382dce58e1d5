/* Events from the library to JavaScript. */
#ifndef AXN_DELIVERY_H
#define AXN_DELIVERY_H

#include "instance.h"

/* The callback given to initMacAccessibility. It calls the owner's deliver
 * function with (notification, json) in a callback scope of its own. Should
 * that throw, the exception is cleared here, before the library's frames,
 * and handed to the owner's report function, which rethrows it after the
 * library has returned. */
void axn_deliver(const char *notification, const char *json);

/* Takes the deliver and report functions (and makes the async context) for
 * `self`; false with an exception pending when they aren't functions. */
bool axn_delivery_begin(axn_instance *self, napi_value deliver, napi_value report);

/* Lets go of them. */
void axn_delivery_end(axn_instance *self);

#endif
