/* Declaration sysroot: the null object of collections (bridged with
 * kCFNull). */
#ifndef _FOUNDATION_NSNULL_H_
#define _FOUNDATION_NSNULL_H_

#include <Foundation/NSObject.h>

@interface NSNull : NSObject <NSCopying>
+ (NSNull *)null;
@end

#endif /* _FOUNDATION_NSNULL_H_ */
