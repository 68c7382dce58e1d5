/* Declaration sysroot for cross-building axtrack: Foundation's basic types
 * and the macros its interfaces use. Written from Apple's public
 * documentation; only what this project uses is declared. */
#ifndef _FOUNDATION_NSOBJCRUNTIME_H_
#define _FOUNDATION_NSOBJCRUNTIME_H_

#include <TargetConditionals.h>
#include <Availability.h>
#include <CoreFoundation/CFBase.h>
#include <objc/objc.h>
#include <objc/NSObjCRuntime.h>
#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>

#define FOUNDATION_EXTERN CF_EXPORT
#define FOUNDATION_EXPORT CF_EXPORT
#define NS_INLINE CF_INLINE
#define NS_ENUM(type, name) CF_ENUM(type, name)
#define NS_CLOSED_ENUM(type, name) CF_CLOSED_ENUM(type, name)
#define NS_OPTIONS(type, name) CF_OPTIONS(type, name)
/* A string-valued enumeration: new values may be defined anywhere. */
#define NS_TYPED_EXTENSIBLE_ENUM
#define NS_TYPED_ENUM
#define NS_SWIFT_NAME(name)
#define NS_REFINED_FOR_SWIFT
#define NS_RETURNS_RETAINED __attribute__((ns_returns_retained))
#define NS_RETURNS_NOT_RETAINED __attribute__((ns_returns_not_retained))
#define NS_RETURNS_INNER_POINTER __attribute__((objc_returns_inner_pointer))
#define NS_REQUIRES_SUPER __attribute__((objc_requires_super))
#define NS_DESIGNATED_INITIALIZER __attribute__((objc_designated_initializer))
#define NS_UNAVAILABLE __attribute__((unavailable))
#define NS_FORMAT_FUNCTION(index, firstArgument) __attribute__((format(__NSString__, index, firstArgument)))
#define NS_NOESCAPE __attribute__((noescape))
#define NS_AVAILABLE_MAC(version) __attribute__((availability(macos, introduced = version)))

#define NSNotFound NSIntegerMax

typedef NS_CLOSED_ENUM(NSInteger, NSComparisonResult) {
  NSOrderedAscending = -1L,
  NSOrderedSame = 0,
  NSOrderedDescending = 1
};

#if defined(__OBJC__)
@class NSString, Protocol;

#if defined(__BLOCKS__)
typedef NSComparisonResult (^NSComparator)(id first, id second);
#endif

FOUNDATION_EXPORT void NSLog(NSString *format, ...) NS_FORMAT_FUNCTION(1, 2);
FOUNDATION_EXPORT void NSLogv(NSString *format, va_list arguments) NS_FORMAT_FUNCTION(1, 0);
FOUNDATION_EXPORT NSString *NSStringFromSelector(SEL selector);
FOUNDATION_EXPORT SEL NSSelectorFromString(NSString *name);
FOUNDATION_EXPORT NSString *NSStringFromClass(Class cls);
FOUNDATION_EXPORT Class NSClassFromString(NSString *name);
#endif

#endif /* _FOUNDATION_NSOBJCRUNTIME_H_ */
