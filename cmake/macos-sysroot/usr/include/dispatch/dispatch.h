/* Declaration sysroot for cross-building axtrack: Grand Central Dispatch
 * (libdispatch, part of libSystem), the queues and timing this project
 * uses. Written from Apple's public documentation.
 *
 * In Objective-C the dispatch objects are Objective-C objects, which ARC
 * retains and releases (dispatch_retain and dispatch_release are then not
 * available); in C and C++ they are opaque pointers that are retained and
 * released by hand. The main queue and the concurrent attribute are
 * objects that libdispatch exports; the macros below take their addresses,
 * as the system's own headers do. */
#ifndef __DISPATCH_PUBLIC__
#define __DISPATCH_PUBLIC__

#include <Availability.h>
#include <TargetConditionals.h>
#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>
#include <sys/qos.h>
#include <time.h>

#if defined(__cplusplus)
#define DISPATCH_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define DISPATCH_EXPORT extern __attribute__((visibility("default")))
#endif

struct dispatch_queue_s;
struct dispatch_queue_attr_s;

#if defined(__OBJC__)
#include <objc/NSObject.h>
#define OS_OBJECT_USE_OBJC 1
@protocol OS_dispatch_object <NSObject>
@end
@protocol OS_dispatch_queue <OS_dispatch_object>
@end
@protocol OS_dispatch_queue_attr <OS_dispatch_object>
@end
@protocol OS_dispatch_semaphore <OS_dispatch_object>
@end
typedef NSObject<OS_dispatch_object> *dispatch_object_t;
typedef NSObject<OS_dispatch_queue> *dispatch_queue_t;
typedef NSObject<OS_dispatch_queue_attr> *dispatch_queue_attr_t;
typedef NSObject<OS_dispatch_semaphore> *dispatch_semaphore_t;
#if __has_feature(objc_arc)
#define __DISPATCH_GLOBAL_OBJECT(type, object) ((__bridge type)(void *)&(object))
#else
#define __DISPATCH_GLOBAL_OBJECT(type, object) ((type)(void *)&(object))
#endif
#else
#define OS_OBJECT_USE_OBJC 0
#if defined(__cplusplus)
struct dispatch_object_s {};
struct dispatch_queue_s : dispatch_object_s {};
struct dispatch_queue_attr_s : dispatch_object_s {};
struct dispatch_semaphore_s : dispatch_object_s {};
typedef dispatch_object_s *dispatch_object_t;
#else
struct dispatch_semaphore_s;
typedef union {
  struct dispatch_object_s *_object;
  struct dispatch_queue_s *_queue;
  struct dispatch_queue_attr_s *_attr;
  struct dispatch_semaphore_s *_semaphore;
} dispatch_object_t __attribute__((__transparent_union__));
#endif
typedef struct dispatch_queue_s *dispatch_queue_t;
typedef struct dispatch_queue_attr_s *dispatch_queue_attr_t;
typedef struct dispatch_semaphore_s *dispatch_semaphore_t;
#define __DISPATCH_GLOBAL_OBJECT(type, object) ((type)&(object))
#endif

typedef dispatch_queue_t dispatch_queue_main_t;
typedef dispatch_queue_t dispatch_queue_global_t;
typedef dispatch_queue_t dispatch_queue_serial_t;
typedef dispatch_queue_t dispatch_queue_concurrent_t;

#if defined(__BLOCKS__)
typedef void (^dispatch_block_t)(void);
#endif
typedef void (*dispatch_function_t)(void *context);

/* Times: nanoseconds on the monotonic clock, or wall-clock times. */
typedef uint64_t dispatch_time_t;
#define DISPATCH_TIME_NOW (0ull)
#define DISPATCH_TIME_FOREVER (~0ull)
#define NSEC_PER_SEC 1000000000ull
#define NSEC_PER_MSEC 1000000ull
#define NSEC_PER_USEC 1000ull
#define USEC_PER_SEC 1000000ull

#define DISPATCH_QUEUE_PRIORITY_HIGH 2
#define DISPATCH_QUEUE_PRIORITY_DEFAULT 0
#define DISPATCH_QUEUE_PRIORITY_LOW (-2)
#define DISPATCH_QUEUE_PRIORITY_BACKGROUND (-32767 - 1)

DISPATCH_EXPORT struct dispatch_queue_s _dispatch_main_q;
DISPATCH_EXPORT struct dispatch_queue_attr_s _dispatch_queue_attr_concurrent;

/* The serial queue of the main thread, served by its run loop. */
#define dispatch_get_main_queue() __DISPATCH_GLOBAL_OBJECT(dispatch_queue_main_t, _dispatch_main_q)
#define DISPATCH_QUEUE_SERIAL ((dispatch_queue_attr_t)0)
#define DISPATCH_QUEUE_CONCURRENT \
  __DISPATCH_GLOBAL_OBJECT(dispatch_queue_attr_t, _dispatch_queue_attr_concurrent)

DISPATCH_EXPORT dispatch_time_t dispatch_time(dispatch_time_t when, int64_t delta);
DISPATCH_EXPORT dispatch_time_t dispatch_walltime(const struct timespec *when, int64_t delta);

DISPATCH_EXPORT dispatch_queue_global_t dispatch_get_global_queue(intptr_t identifier, uintptr_t flags);
DISPATCH_EXPORT dispatch_queue_t dispatch_queue_create(const char *label, dispatch_queue_attr_t attributes);
DISPATCH_EXPORT const char *dispatch_queue_get_label(dispatch_queue_t queue);

DISPATCH_EXPORT void dispatch_async_f(dispatch_queue_t queue, void *context, dispatch_function_t work);
DISPATCH_EXPORT void dispatch_sync_f(dispatch_queue_t queue, void *context, dispatch_function_t work);
DISPATCH_EXPORT void dispatch_after_f(dispatch_time_t when, dispatch_queue_t queue, void *context,
                                      dispatch_function_t work);
#if defined(__BLOCKS__)
DISPATCH_EXPORT void dispatch_async(dispatch_queue_t queue, dispatch_block_t block);
DISPATCH_EXPORT void dispatch_sync(dispatch_queue_t queue, dispatch_block_t block);
/* Runs `block` on `queue` no sooner than `when`. */
DISPATCH_EXPORT void dispatch_after(dispatch_time_t when, dispatch_queue_t queue, dispatch_block_t block);
#endif

typedef intptr_t dispatch_once_t;
DISPATCH_EXPORT void dispatch_once_f(dispatch_once_t *predicate, void *context, dispatch_function_t function);
#if defined(__BLOCKS__)
DISPATCH_EXPORT void dispatch_once(dispatch_once_t *predicate, dispatch_block_t block);
#endif

DISPATCH_EXPORT dispatch_semaphore_t dispatch_semaphore_create(intptr_t value);
/* Zero on success, non-zero when the timeout passed. */
DISPATCH_EXPORT intptr_t dispatch_semaphore_wait(dispatch_semaphore_t semaphore, dispatch_time_t timeout);
DISPATCH_EXPORT intptr_t dispatch_semaphore_signal(dispatch_semaphore_t semaphore);

#if !OS_OBJECT_USE_OBJC
DISPATCH_EXPORT void dispatch_retain(dispatch_object_t object);
DISPATCH_EXPORT void dispatch_release(dispatch_object_t object);
#endif

#endif /* __DISPATCH_PUBLIC__ */
