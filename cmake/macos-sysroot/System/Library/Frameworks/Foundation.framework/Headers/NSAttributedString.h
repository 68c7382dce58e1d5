/* Declaration sysroot: attributed strings (toll-free bridged with
 * CFAttributedStringRef). */
#ifndef _FOUNDATION_NSATTRIBUTEDSTRING_H_
#define _FOUNDATION_NSATTRIBUTEDSTRING_H_

#include <Foundation/NSObject.h>

@class NSString;

@interface NSAttributedString : NSObject <NSCopying, NSMutableCopying>
@property(readonly, copy) NSString *string;
@property(readonly) NSUInteger length;
- (instancetype)initWithString:(NSString *)string;
@end

#endif /* _FOUNDATION_NSATTRIBUTEDSTRING_H_ */
