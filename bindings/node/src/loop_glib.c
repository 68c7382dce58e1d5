/* GLib's default main context turned from inside libuv.
 *
 * libuv blocks in one place only, its poll, so the descriptors GLib wants
 * polled are mirrored into one epoll descriptor that libuv watches:
 *   prepare (before libuv blocks): g_main_context_prepare and _query, the
 *            epoll set brought in line with GLib's descriptors, and a libuv
 *            timer set to GLib's next timeout (zero when a source is ready);
 *   check   (after libuv wakes): each descriptor's readiness read from the
 *            epoll set without waiting, then g_main_context_check and, when
 *            a source is ready, g_main_context_dispatch.
 * Idle, nothing wakes: no descriptor is ready and no timer is due. */
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/epoll.h>
#include <unistd.h>

#include "glib_api.h"
#include "loop.h"

enum { kGIoIn = 1, kGIoPri = 2, kGIoOut = 4, kGIoErr = 8, kGIoHup = 16, kGIoNval = 32 };
enum { kHandles = 4 };

struct axn_loop {
  axn_glib_api glib;
  axn_gmain_context *context;
  bool acquired;
  bool prepared;  /* prepared and queried, not yet checked */
  int max_priority;
  axn_gpollfd *fds; /* what GLib asked for this turn */
  int n_fds;
  int fds_capacity;
  int *watched; /* descriptors in the epoll set */
  int n_watched;
  int watched_capacity;
  int epfd;
  uv_prepare_t prepare;
  uv_check_t check;
  uv_timer_t timer;
  uv_poll_t poll;
  int open_handles;
  unsigned long wakeups;
};

static unsigned epoll_events_of(unsigned short events) {
  unsigned e = 0;
  if (events & kGIoIn) e |= EPOLLIN;
  if (events & kGIoPri) e |= EPOLLPRI;
  if (events & kGIoOut) e |= EPOLLOUT;
  return e;
}

static unsigned short glib_events_of(unsigned e) {
  unsigned short events = 0;
  if (e & EPOLLIN) events |= kGIoIn;
  if (e & EPOLLPRI) events |= kGIoPri;
  if (e & EPOLLOUT) events |= kGIoOut;
  if (e & EPOLLERR) events |= kGIoErr;
  if (e & EPOLLHUP) events |= kGIoHup;
  return events;
}

static bool grow(void **array, int *capacity, int wanted, size_t element) {
  void *bigger;
  int n = *capacity > 0 ? *capacity : 8;
  if (wanted <= *capacity) return true;
  while (n < wanted) n *= 2;
  bigger = realloc(*array, (size_t)n * element);
  if (bigger == NULL) return false;
  *array = bigger;
  *capacity = n;
  return true;
}

/* The union of the events GLib wants for `fd` this turn (a descriptor may
 * be listed more than once). */
static unsigned short wanted_events(const struct axn_loop *loop, int fd) {
  unsigned short events = 0;
  int i;
  for (i = 0; i < loop->n_fds; ++i) {
    if (loop->fds[i].fd == fd) events |= loop->fds[i].events;
  }
  return events;
}

static void watch(struct axn_loop *loop, int fd, unsigned short events) {
  struct epoll_event ev;
  memset(&ev, 0, sizeof ev);
  ev.events = epoll_events_of(events);
  ev.data.fd = fd;
  /* Modified rather than left alone: a descriptor GLib closed and reopened
   * under the same number has silently left the epoll set. */
  if (epoll_ctl(loop->epfd, EPOLL_CTL_MOD, fd, &ev) != 0 && errno == ENOENT) {
    (void)epoll_ctl(loop->epfd, EPOLL_CTL_ADD, fd, &ev);
  }
}

static bool listed(const struct axn_loop *loop, int fd) {
  int i;
  for (i = 0; i < loop->n_fds; ++i) {
    if (loop->fds[i].fd == fd) return true;
  }
  return false;
}

static bool is_watched(const struct axn_loop *loop, int fd) {
  int i;
  for (i = 0; i < loop->n_watched; ++i) {
    if (loop->watched[i] == fd) return true;
  }
  return false;
}

/* Brings the epoll set in line with the descriptors GLib asked for. */
static void mirror_descriptors(struct axn_loop *loop) {
  int i, kept = 0;
  for (i = 0; i < loop->n_watched; ++i) {
    const int fd = loop->watched[i];
    if (!listed(loop, fd)) {
      (void)epoll_ctl(loop->epfd, EPOLL_CTL_DEL, fd, NULL);
      continue;
    }
    loop->watched[kept++] = fd;
  }
  loop->n_watched = kept;
  for (i = 0; i < loop->n_fds; ++i) {
    const int fd = loop->fds[i].fd;
    if (fd < 0 || is_watched(loop, fd)) continue;
    if (!grow((void **)&loop->watched, &loop->watched_capacity, loop->n_watched + 1, sizeof(int))) continue;
    loop->watched[loop->n_watched++] = fd;
  }
  for (i = 0; i < loop->n_watched; ++i) watch(loop, loop->watched[i], wanted_events(loop, loop->watched[i]));
}

/* The timer and the poll only wake libuv; the work is done in the check. */
static void on_timer(uv_timer_t *handle) { (void)handle; }
static void on_poll(uv_poll_t *handle, int status, int events) {
  (void)handle;
  (void)status;
  (void)events;
}

static void on_prepare(uv_prepare_t *handle) {
  struct axn_loop *loop = handle->data;
  int timeout = -1;
  int needed;
  bool ready;
  if (!loop->acquired) {
    /* Another thread runs the default context: it is not ours to turn. */
    loop->acquired = loop->glib.acquire(loop->context) != 0;
    if (!loop->acquired) return;
  }
  if (loop->prepared) {
    /* libuv went round without its check phase: finish GLib's turn. */
    (void)loop->glib.check(loop->context, loop->max_priority, loop->fds, 0);
    loop->prepared = false;
  }
  ready = loop->glib.prepare(loop->context, &loop->max_priority) != 0;
  for (;;) {
    needed = loop->glib.query(loop->context, loop->max_priority, &timeout, loop->fds, loop->fds_capacity);
    if (needed <= loop->fds_capacity) break;
    if (!grow((void **)&loop->fds, &loop->fds_capacity, needed, sizeof(axn_gpollfd))) {
      needed = loop->fds_capacity;
      break;
    }
  }
  loop->n_fds = needed;
  loop->prepared = true;
  mirror_descriptors(loop);
  if (ready) timeout = 0;
  if (timeout >= 0) {
    uv_timer_start(&loop->timer, on_timer, (uint64_t)timeout, 0);
  } else {
    uv_timer_stop(&loop->timer);
  }
}

static void on_check(uv_check_t *handle) {
  struct axn_loop *loop = handle->data;
  struct epoll_event ready[64];
  int n, i, j;
  if (!loop->prepared) return;
  loop->prepared = false;
  for (i = 0; i < loop->n_fds; ++i) loop->fds[i].revents = 0;
  do {
    n = epoll_wait(loop->epfd, ready, (int)(sizeof ready / sizeof ready[0]), 0);
  } while (n < 0 && errno == EINTR);
  for (i = 0; i < n; ++i) {
    const unsigned short got = glib_events_of(ready[i].events);
    for (j = 0; j < loop->n_fds; ++j) {
      if (loop->fds[j].fd != ready[i].data.fd) continue;
      loop->fds[j].revents = got & (loop->fds[j].events | kGIoErr | kGIoHup | kGIoNval);
    }
  }
  ++loop->wakeups;
  if (loop->glib.check(loop->context, loop->max_priority, loop->fds, loop->n_fds)) {
    loop->glib.dispatch(loop->context);
  }
}

static void free_loop(struct axn_loop *loop) {
  if (loop->acquired) loop->glib.release(loop->context);
  if (loop->epfd >= 0) close(loop->epfd);
  axn_glib_close(&loop->glib);
  free(loop->fds);
  free(loop->watched);
  free(loop);
}

static void on_closed(uv_handle_t *handle) {
  struct axn_loop *loop = handle->data;
  if (--loop->open_handles == 0) free_loop(loop);
}

static void apply_ref(struct axn_loop *loop, bool referenced) {
  /* Only the watch of GLib's descriptors keeps the process alive; the
   * prepare, check and timer handles follow it and hold nothing alone. */
  if (referenced) {
    uv_ref((uv_handle_t *)&loop->poll);
  } else {
    uv_unref((uv_handle_t *)&loop->poll);
  }
}

axn_loop *axn_loop_start(uv_loop_t *uv, const char *kind, bool referenced, char *error,
                         size_t error_size) {
  struct axn_loop *loop;
  if (strcmp(kind, "glib") != 0) {
    snprintf(error, error_size, "the '%s' loop is not available on this system (Linux turns GLib's)", kind);
    return NULL;
  }
  loop = calloc(1, sizeof *loop);
  if (loop == NULL) {
    snprintf(error, error_size, "out of memory");
    return NULL;
  }
  loop->epfd = -1;
  if (axn_glib_open(&loop->glib, error, error_size) != 0) {
    free_loop(loop);
    return NULL;
  }
  loop->context = loop->glib.context_default();
  loop->epfd = epoll_create1(EPOLL_CLOEXEC);
  if (loop->epfd < 0) {
    snprintf(error, error_size, "epoll_create1: %s", strerror(errno));
    free_loop(loop);
    return NULL;
  }
  if (uv_poll_init(uv, &loop->poll, loop->epfd) != 0) {
    snprintf(error, error_size, "libuv can't watch an epoll descriptor");
    free_loop(loop);
    return NULL;
  }
  uv_prepare_init(uv, &loop->prepare);
  uv_check_init(uv, &loop->check);
  uv_timer_init(uv, &loop->timer);
  loop->open_handles = kHandles;
  loop->prepare.data = loop->check.data = loop->timer.data = loop->poll.data = loop;
  uv_prepare_start(&loop->prepare, on_prepare);
  uv_check_start(&loop->check, on_check);
  uv_poll_start(&loop->poll, UV_READABLE, on_poll);
  uv_unref((uv_handle_t *)&loop->prepare);
  uv_unref((uv_handle_t *)&loop->check);
  uv_unref((uv_handle_t *)&loop->timer);
  apply_ref(loop, referenced);
  return loop;
}

void axn_loop_set_ref(axn_loop *loop, bool referenced) { apply_ref(loop, referenced); }

void axn_loop_stats_of(const axn_loop *loop, axn_loop_stats *stats) {
  stats->kind = "glib";
  stats->wakeups = loop->wakeups;
  stats->descriptors = loop->n_watched;
}

void axn_loop_stop(axn_loop *loop) {
  uv_close((uv_handle_t *)&loop->prepare, on_closed);
  uv_close((uv_handle_t *)&loop->check, on_closed);
  uv_close((uv_handle_t *)&loop->timer, on_closed);
  uv_close((uv_handle_t *)&loop->poll, on_closed);
}
