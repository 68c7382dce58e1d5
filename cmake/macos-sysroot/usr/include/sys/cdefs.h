/* Declaration sysroot for cross-building axtrack for macOS.
 * Helpers shared by the C headers of this sysroot: C linkage in C++,
 * restrict, and availability markers. */
#ifndef _SYS_CDEFS_H_
#define _SYS_CDEFS_H_

#if defined(__cplusplus)
#define __BEGIN_DECLS extern "C" {
#define __END_DECLS }
#else
#define __BEGIN_DECLS
#define __END_DECLS
#endif

#if defined(__cplusplus)
#define __restrict_arg __restrict
#else
#define __restrict_arg restrict
#endif

#define __dead2 __attribute__((__noreturn__))
#define __pure2 __attribute__((__const__))
#define __printflike(fmt, first) __attribute__((__format__(__printf__, fmt, first)))
#define __scanflike(fmt, first) __attribute__((__format__(__scanf__, fmt, first)))

/* A function or variable that first shipped with macOS `version`. */
#define __AXSDK_MACOS(version) __attribute__((availability(macos, introduced = version)))

#endif /* _SYS_CDEFS_H_ */
