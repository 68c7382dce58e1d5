/* Declaration sysroot: Foundation's additions to the root class, and the
 * copying protocols. */
#ifndef _FOUNDATION_NSOBJECT_H_
#define _FOUNDATION_NSOBJECT_H_

#include <Foundation/NSObjCRuntime.h>
#include <objc/NSObject.h>

@protocol NSCopying
- (id)copyWithZone:(struct _NSZone *)zone;
@end

@protocol NSMutableCopying
- (id)mutableCopyWithZone:(struct _NSZone *)zone;
@end

#endif /* _FOUNDATION_NSOBJECT_H_ */
