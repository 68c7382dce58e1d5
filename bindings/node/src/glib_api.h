/* The few GLib main-context functions the loop needs, looked up at run time
 * in the GLib the process already has (the library links it), so that the
 * addon itself links no GLib and loads on systems without it. */
#ifndef AXN_GLIB_API_H
#define AXN_GLIB_API_H

#include <stdbool.h>
#include <stddef.h>

typedef struct axn_gmain_context axn_gmain_context;

/* GLib's GPollFD on Unix. */
typedef struct axn_gpollfd {
  int fd;
  unsigned short events;
  unsigned short revents;
} axn_gpollfd;

typedef int (*axn_gsource_func)(void *data);

typedef struct axn_glib_api {
  void *handle;
  axn_gmain_context *(*context_default)(void);
  int (*acquire)(axn_gmain_context *context);
  void (*release)(axn_gmain_context *context);
  int (*prepare)(axn_gmain_context *context, int *priority);
  int (*query)(axn_gmain_context *context, int max_priority, int *timeout, axn_gpollfd *fds,
               int n_fds);
  int (*check)(axn_gmain_context *context, int max_priority, axn_gpollfd *fds, int n_fds);
  void (*dispatch)(axn_gmain_context *context);
  unsigned (*timeout_add)(unsigned interval, axn_gsource_func function, void *data);
} axn_glib_api;

/* Whether GLib is loaded in the process already. */
bool axn_glib_present(void);

/* Opens GLib and looks the functions up; -1 with the reason in `error`. */
int axn_glib_open(axn_glib_api *api, char *error, size_t error_size);

void axn_glib_close(axn_glib_api *api);

#endif
