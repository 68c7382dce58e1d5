/* Turning the main loop the library works on, from inside libuv, for a
 * plain Node process that runs none of its own: GLib's default main context
 * on Linux, the main CFRunLoop on macOS. In Electron's main process that
 * loop runs already and none of this is started. */
#ifndef AXN_LOOP_H
#define AXN_LOOP_H

#include <stdbool.h>
#include <stddef.h>
#include <uv.h>

typedef struct axn_loop axn_loop;

typedef struct axn_loop_stats {
  const char *kind;       /* "glib" or "cfrunloop" */
  unsigned long wakeups;  /* turns of the foreign loop so far */
  int descriptors;        /* descriptors watched now (GLib) */
} axn_loop_stats;

/* Starts turning the loop `kind` ("glib" or "cfrunloop") from `uv`. NULL
 * with the reason in `error` when that loop isn't available here. */
axn_loop *axn_loop_start(uv_loop_t *uv, const char *kind, bool referenced, char *error,
                         size_t error_size);

/* Whether the watch keeps the Node process alive. */
void axn_loop_set_ref(axn_loop *loop, bool referenced);

void axn_loop_stats_of(const axn_loop *loop, axn_loop_stats *stats);

/* Stops watching; the handles close on libuv's next turn and the memory goes
 * with the last of them. */
void axn_loop_stop(axn_loop *loop);

#endif
