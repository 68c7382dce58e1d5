/* The addon's per-environment state. The library calls back through a
 * plain C function without a context, so the one environment that tracks
 * is also reachable from axn_owner (set while it tracks, cleared when it
 * stops or its environment goes away). */
#ifndef AXN_INSTANCE_H
#define AXN_INSTANCE_H

#include <node_api.h>
#include <stdbool.h>

#include "kit.h"
#include "library.h"

struct axn_loop;

typedef struct axn_instance {
  napi_env env;
  axn_library library;
  axn_kit kit;
  /* While tracking: the JavaScript functions events go to, and the async
   * context they are called in. */
  bool tracking;
  napi_ref deliver;
  napi_ref report;
  napi_async_context async;
  bool delivering;
  struct axn_loop *loop;
} axn_instance;

extern axn_instance *axn_owner;

axn_instance *axn_instance_of(napi_env env);

#endif
