/* Declaration sysroot: the machine-level types of the Darwin C library on
 * the two 64-bit macOS architectures (arm64, x86_64). Both are LP64 with a
 * 64-bit `long`; 64-bit integer types are `long long`. */
#ifndef _SYS__TYPES_H_
#define _SYS__TYPES_H_

typedef signed char __int8_t;
typedef unsigned char __uint8_t;
typedef short __int16_t;
typedef unsigned short __uint16_t;
typedef int __int32_t;
typedef unsigned int __uint32_t;
typedef long long __int64_t;
typedef unsigned long long __uint64_t;
typedef long __darwin_intptr_t;
typedef unsigned int __darwin_natural_t;

typedef __SIZE_TYPE__ __darwin_size_t;
typedef long __darwin_ssize_t;
typedef __PTRDIFF_TYPE__ __darwin_ptrdiff_t;
typedef __WCHAR_TYPE__ __darwin_wchar_t;
typedef int __darwin_wint_t;
typedef int __darwin_ct_rune_t;
typedef __darwin_wchar_t __darwin_rune_t;
typedef __builtin_va_list __darwin_va_list;

typedef long __darwin_time_t;
typedef unsigned long __darwin_clock_t;
typedef __int64_t __darwin_off_t;
typedef __int32_t __darwin_pid_t;
typedef __uint32_t __darwin_uid_t;
typedef __uint32_t __darwin_gid_t;
typedef __uint16_t __darwin_mode_t;
typedef __int32_t __darwin_suseconds_t;
typedef __uint32_t __darwin_useconds_t;
typedef __uint32_t __darwin_wctype_t;
typedef __uint32_t __darwin_sigset_t;
typedef __darwin_natural_t __darwin_mach_port_t;

/* The multibyte conversion state: 128 bytes, 8-byte aligned. Its tag
 * `__mbstate_t` is part of C++ mangled names (std::codecvt). */
typedef union {
  char __mbstate8[128];
  long long _mbstateL;
} __mbstate_t;
typedef __mbstate_t __darwin_mbstate_t;

/* POSIX thread objects: a signature word followed by opaque storage, sized
 * as the system's. Layouts are ABI: libc++ embeds them in std::mutex and
 * std::condition_variable. */
struct _opaque_pthread_t;
struct _opaque_pthread_attr_t { long __sig; char __opaque[56]; };
struct _opaque_pthread_mutex_t { long __sig; char __opaque[56]; };
struct _opaque_pthread_mutexattr_t { long __sig; char __opaque[8]; };
struct _opaque_pthread_cond_t { long __sig; char __opaque[40]; };
struct _opaque_pthread_condattr_t { long __sig; char __opaque[8]; };
struct _opaque_pthread_once_t { long __sig; char __opaque[8]; };
struct _opaque_pthread_rwlock_t { long __sig; char __opaque[192]; };
struct _opaque_pthread_rwlockattr_t { long __sig; char __opaque[16]; };

typedef struct _opaque_pthread_t *__darwin_pthread_t;
typedef struct _opaque_pthread_attr_t __darwin_pthread_attr_t;
typedef struct _opaque_pthread_mutex_t __darwin_pthread_mutex_t;
typedef struct _opaque_pthread_mutexattr_t __darwin_pthread_mutexattr_t;
typedef struct _opaque_pthread_cond_t __darwin_pthread_cond_t;
typedef struct _opaque_pthread_condattr_t __darwin_pthread_condattr_t;
typedef struct _opaque_pthread_once_t __darwin_pthread_once_t;
typedef struct _opaque_pthread_rwlock_t __darwin_pthread_rwlock_t;
typedef struct _opaque_pthread_rwlockattr_t __darwin_pthread_rwlockattr_t;
typedef unsigned long __darwin_pthread_key_t;

#endif /* _SYS__TYPES_H_ */
