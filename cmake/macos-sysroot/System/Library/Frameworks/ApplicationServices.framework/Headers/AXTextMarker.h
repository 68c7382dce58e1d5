/* Declaration sysroot: text markers, opaque positions in an application's
 * text (as web content reports its selection), and ranges of two of them. */
#ifndef __AXTEXTMARKER__
#define __AXTEXTMARKER__

#include <CoreFoundation/CoreFoundation.h>

CF_EXTERN_C_BEGIN
CF_IMPLICIT_BRIDGING_ENABLED

typedef const struct CF_BRIDGED_TYPE(id) __AXTextMarker *AXTextMarkerRef;
typedef const struct CF_BRIDGED_TYPE(id) __AXTextMarkerRange *AXTextMarkerRangeRef;

extern CFTypeID AXTextMarkerGetTypeID(void);
extern AXTextMarkerRef AXTextMarkerCreate(CFAllocatorRef allocator, const UInt8 *bytes,
                                          CFIndex length);
extern CFIndex AXTextMarkerGetLength(AXTextMarkerRef marker);
extern const UInt8 *AXTextMarkerGetBytePtr(AXTextMarkerRef marker);

extern CFTypeID AXTextMarkerRangeGetTypeID(void);
extern AXTextMarkerRangeRef AXTextMarkerRangeCreate(CFAllocatorRef allocator,
                                                    AXTextMarkerRef startMarker,
                                                    AXTextMarkerRef endMarker);
extern AXTextMarkerRangeRef AXTextMarkerRangeCreateWithBytes(CFAllocatorRef allocator,
                                                             const UInt8 *startMarkerBytes,
                                                             CFIndex startMarkerLength,
                                                             const UInt8 *endMarkerBytes,
                                                             CFIndex endMarkerLength);
extern AXTextMarkerRef AXTextMarkerRangeCopyStartMarker(AXTextMarkerRangeRef range);
extern AXTextMarkerRef AXTextMarkerRangeCopyEndMarker(AXTextMarkerRangeRef range);

CF_IMPLICIT_BRIDGING_DISABLED
CF_EXTERN_C_END

#endif /* __AXTEXTMARKER__ */
