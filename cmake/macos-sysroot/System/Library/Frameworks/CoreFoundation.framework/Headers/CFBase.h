/* Declaration sysroot for cross-building axtrack: Core Foundation's base
 * types, memory management and the macros the other framework headers of
 * this sysroot share. Written from Apple's public documentation; only what
 * this project uses is declared. */
#ifndef __COREFOUNDATION_CFBASE__
#define __COREFOUNDATION_CFBASE__

#include <TargetConditionals.h>
#include <Availability.h>
#include <MacTypes.h>
#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>
#include <sys/types.h>

#if defined(__cplusplus)
#define CF_EXTERN_C_BEGIN extern "C" {
#define CF_EXTERN_C_END }
#else
#define CF_EXTERN_C_BEGIN
#define CF_EXTERN_C_END
#endif

/* C linkage everywhere: Foundation and AppKit declare with this too. */
#if defined(__cplusplus)
#define CF_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define CF_EXPORT extern __attribute__((visibility("default")))
#endif
#define CF_INLINE static __inline__ __attribute__((always_inline))

/* Enumerations with a fixed underlying type where the language has them. */
#if defined(__cplusplus) || defined(__OBJC__) || __has_extension(c_fixed_enum)
#define CF_ENUM(type, name) enum name : type name; enum name : type
#define CF_CLOSED_ENUM(type, name) CF_ENUM(type, name)
#else
#define CF_ENUM(type, name) type name; enum
#define CF_CLOSED_ENUM(type, name) CF_ENUM(type, name)
#endif
/* Option sets stay plain integers in C++, so that `a | b` keeps the type. */
#if defined(__cplusplus)
#define CF_OPTIONS(type, name) type name; enum : type
#else
#define CF_OPTIONS(type, name) CF_ENUM(type, name)
#endif

/* Ownership conventions for the static analyser and ARC. */
#define CF_RETURNS_RETAINED __attribute__((cf_returns_retained))
#define CF_RETURNS_NOT_RETAINED __attribute__((cf_returns_not_retained))
#define CF_RELEASES_ARGUMENT __attribute__((cf_consumed))
#define CF_CONSUMED __attribute__((cf_consumed))
#define CF_IMPLICIT_BRIDGING_ENABLED _Pragma("clang arc_cf_code_audited begin")
#define CF_IMPLICIT_BRIDGING_DISABLED _Pragma("clang arc_cf_code_audited end")
#if defined(__OBJC__)
#define CF_BRIDGED_TYPE(type) __attribute__((objc_bridge(type)))
#define CF_BRIDGED_MUTABLE_TYPE(type) __attribute__((objc_bridge_mutable(type)))
#else
#define CF_BRIDGED_TYPE(type)
#define CF_BRIDGED_MUTABLE_TYPE(type)
#endif

CF_EXTERN_C_BEGIN
CF_IMPLICIT_BRIDGING_ENABLED

typedef unsigned long CFTypeID;
typedef unsigned long CFOptionFlags;
typedef unsigned long CFHashCode;
typedef signed long CFIndex;

typedef const void *CFTypeRef;
typedef const struct CF_BRIDGED_TYPE(NSString) __CFString *CFStringRef;
typedef struct CF_BRIDGED_MUTABLE_TYPE(NSMutableString) __CFString *CFMutableStringRef;
typedef CFTypeRef CFPropertyListRef;
typedef const struct __CFAllocator *CFAllocatorRef;
typedef const struct CF_BRIDGED_TYPE(NSNull) __CFNull *CFNullRef;

typedef CF_ENUM(CFIndex, CFComparisonResult) {
  kCFCompareLessThan = -1,
  kCFCompareEqualTo = 0,
  kCFCompareGreaterThan = 1
};
typedef CFComparisonResult (*CFComparatorFunction)(const void *first, const void *second,
                                                   void *context);

static const CFIndex kCFNotFound = -1;

typedef struct {
  CFIndex location;
  CFIndex length;
} CFRange;

CF_INLINE CFRange CFRangeMake(CFIndex location, CFIndex length) {
  CFRange range;
  range.location = location;
  range.length = length;
  return range;
}

/* NULL means the default allocator, as does kCFAllocatorDefault. */
CF_EXPORT const CFAllocatorRef kCFAllocatorDefault;
CF_EXPORT const CFAllocatorRef kCFAllocatorSystemDefault;
CF_EXPORT const CFAllocatorRef kCFAllocatorMalloc;
CF_EXPORT const CFAllocatorRef kCFAllocatorNull;

CF_EXPORT const CFNullRef kCFNull;
CF_EXPORT CFTypeID CFNullGetTypeID(void);

CF_EXPORT CFTypeID CFGetTypeID(CFTypeRef object);
CF_EXPORT CFStringRef CFCopyTypeIDDescription(CFTypeID type) CF_RETURNS_RETAINED;
CF_EXPORT CFTypeRef CFRetain(CFTypeRef object);
CF_EXPORT void CFRelease(CFTypeRef object);
CF_EXPORT CFTypeRef CFAutorelease(CFTypeRef CF_RELEASES_ARGUMENT object)
    __attribute__((availability(macos, introduced = 10.9)));
CF_EXPORT CFIndex CFGetRetainCount(CFTypeRef object);
CF_EXPORT Boolean CFEqual(CFTypeRef first, CFTypeRef second);
CF_EXPORT CFHashCode CFHash(CFTypeRef object);
CF_EXPORT CFStringRef CFCopyDescription(CFTypeRef object);

CF_IMPLICIT_BRIDGING_DISABLED
CF_EXTERN_C_END

#endif /* __COREFOUNDATION_CFBASE__ */
