/* Declaration sysroot: byte buffers (toll-free bridged with CFDataRef). */
#ifndef _FOUNDATION_NSDATA_H_
#define _FOUNDATION_NSDATA_H_

#include <Foundation/NSObject.h>
#include <Foundation/NSRange.h>

@interface NSData : NSObject <NSCopying, NSMutableCopying>
@property(readonly) NSUInteger length;
@property(readonly) const void *bytes NS_RETURNS_INNER_POINTER;
+ (instancetype)data;
+ (instancetype)dataWithBytes:(const void *)bytes length:(NSUInteger)length;
+ (instancetype)dataWithData:(NSData *)data;
- (instancetype)initWithBytes:(const void *)bytes length:(NSUInteger)length;
- (void)getBytes:(void *)buffer range:(NSRange)range;
- (BOOL)isEqualToData:(NSData *)other;
@end

@interface NSMutableData : NSData
+ (instancetype)dataWithCapacity:(NSUInteger)capacity;
- (void)appendBytes:(const void *)bytes length:(NSUInteger)length;
- (void)appendData:(NSData *)data;
@end

#endif /* _FOUNDATION_NSDATA_H_ */
