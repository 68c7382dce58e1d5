/* Declaration sysroot: <time.h>. */
#ifndef _TIME_H_
#define _TIME_H_

#include <sys/cdefs.h>
#include <sys/_types.h>

#define __need_size_t
#define __need_NULL
#include <stddef.h>

typedef __darwin_time_t time_t;
typedef __darwin_clock_t clock_t;

struct timespec {
  time_t tv_sec;
  long tv_nsec;
};

struct tm {
  int tm_sec;
  int tm_min;
  int tm_hour;
  int tm_mday;
  int tm_mon;
  int tm_year;
  int tm_wday;
  int tm_yday;
  int tm_isdst;
  long tm_gmtoff;
  char *tm_zone;
};

#define CLOCKS_PER_SEC ((clock_t)1000000)
#define TIME_UTC 1

/* Clock identifiers of clock_gettime (macOS 10.12 and later). */
typedef enum {
  _CLOCK_REALTIME = 0,
  _CLOCK_MONOTONIC_RAW = 4,
  _CLOCK_MONOTONIC = 6,
  _CLOCK_UPTIME_RAW = 8,
  _CLOCK_PROCESS_CPUTIME_ID = 12,
  _CLOCK_THREAD_CPUTIME_ID = 16
} clockid_t;
#define CLOCK_REALTIME _CLOCK_REALTIME
#define CLOCK_MONOTONIC_RAW _CLOCK_MONOTONIC_RAW
#define CLOCK_MONOTONIC _CLOCK_MONOTONIC
#define CLOCK_UPTIME_RAW _CLOCK_UPTIME_RAW
#define CLOCK_PROCESS_CPUTIME_ID _CLOCK_PROCESS_CPUTIME_ID
#define CLOCK_THREAD_CPUTIME_ID _CLOCK_THREAD_CPUTIME_ID

__BEGIN_DECLS

time_t time(time_t *out);
clock_t clock(void);
double difftime(time_t end, time_t start);
time_t mktime(struct tm *broken_down);
time_t timegm(struct tm *broken_down);
struct tm *gmtime(const time_t *when);
struct tm *localtime(const time_t *when);
struct tm *gmtime_r(const time_t *__restrict_arg when, struct tm *__restrict_arg out);
struct tm *localtime_r(const time_t *__restrict_arg when, struct tm *__restrict_arg out);
char *asctime(const struct tm *broken_down);
char *ctime(const time_t *when);
size_t strftime(char *__restrict_arg buffer, size_t size, const char *__restrict_arg format,
                const struct tm *__restrict_arg broken_down);
int nanosleep(const struct timespec *duration, struct timespec *remaining);
int clock_gettime(clockid_t clock, struct timespec *out) __AXSDK_MACOS(10.12);
int clock_getres(clockid_t clock, struct timespec *out) __AXSDK_MACOS(10.12);
__uint64_t clock_gettime_nsec_np(clockid_t clock) __AXSDK_MACOS(10.12);
int timespec_get(struct timespec *out, int base) __AXSDK_MACOS(10.15);

__END_DECLS

#endif /* _TIME_H_ */
