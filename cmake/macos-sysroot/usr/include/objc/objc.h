/* Declaration sysroot for cross-building axtrack: the basic types of the
 * Objective-C runtime. In Objective-C, id, Class and SEL are built into the
 * compiler; the typedefs below agree with them and serve C and C++. */
#ifndef _OBJC_OBJC_H_
#define _OBJC_OBJC_H_

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#if defined(__cplusplus)
#define OBJC_EXTERN extern "C"
#else
#define OBJC_EXTERN extern
#endif
#define OBJC_EXPORT OBJC_EXTERN __attribute__((visibility("default")))
#define OBJC_ROOT_CLASS __attribute__((objc_root_class))
#if __has_feature(objc_arc)
#define OBJC_ARC_UNAVAILABLE __attribute__((unavailable("not available in automatic reference counting mode")))
#else
#define OBJC_ARC_UNAVAILABLE
#endif

typedef struct objc_class *Class;
struct objc_object {
  Class isa;
};
typedef struct objc_object *id;
typedef struct objc_selector *SEL;
typedef id (*IMP)(id, SEL, ...);

/* BOOL is C's bool on arm64 and a signed char on x86_64; the compiler
 * says which (its type encoding and its literals follow). */
#if defined(__OBJC_BOOL_IS_BOOL) && __OBJC_BOOL_IS_BOOL
typedef bool BOOL;
#else
typedef signed char BOOL;
#endif
#if __has_feature(objc_bool)
#define YES __objc_yes
#define NO __objc_no
#else
#define YES ((BOOL)1)
#define NO ((BOOL)0)
#endif

#ifndef nil
#if defined(__cplusplus)
#define nil nullptr
#define Nil nullptr
#else
#define nil ((void *)0)
#define Nil ((void *)0)
#endif
#endif

OBJC_EXPORT const char *sel_getName(SEL selector);
OBJC_EXPORT SEL sel_registerName(const char *name);
OBJC_EXPORT const char *object_getClassName(id object);

#endif /* _OBJC_OBJC_H_ */
