/* Declaration sysroot: Core Foundation byte buffers. */
#ifndef __COREFOUNDATION_CFDATA__
#define __COREFOUNDATION_CFDATA__

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN
CF_IMPLICIT_BRIDGING_ENABLED

typedef const struct CF_BRIDGED_TYPE(NSData) __CFData *CFDataRef;

CF_EXPORT CFTypeID CFDataGetTypeID(void);
CF_EXPORT CFDataRef CFDataCreate(CFAllocatorRef allocator, const UInt8 *bytes, CFIndex length);
CF_EXPORT CFIndex CFDataGetLength(CFDataRef data);
CF_EXPORT const UInt8 *CFDataGetBytePtr(CFDataRef data);
CF_EXPORT void CFDataGetBytes(CFDataRef data, CFRange range, UInt8 *buffer);

CF_IMPLICIT_BRIDGING_DISABLED
CF_EXTERN_C_END

#endif /* __COREFOUNDATION_CFDATA__ */
