/* Declaration sysroot: boxed values and numbers. NSNumber is toll-free
 * bridged with CFNumberRef (and its booleans with CFBooleanRef); the boxing
 * syntax @(...) and @YES compile to the factory methods below. */
#ifndef _FOUNDATION_NSVALUE_H_
#define _FOUNDATION_NSVALUE_H_

#include <Foundation/NSObject.h>
#include <Foundation/NSRange.h>

@class NSString;

@interface NSValue : NSObject <NSCopying>
- (void)getValue:(void *)value size:(NSUInteger)size NS_AVAILABLE_MAC(10.13);
@property(readonly) const char *objCType NS_RETURNS_INNER_POINTER;
+ (NSValue *)valueWithBytes:(const void *)value objCType:(const char *)type;
+ (NSValue *)valueWithPointer:(const void *)pointer;
@property(readonly) void *pointerValue;
+ (NSValue *)valueWithRange:(NSRange)range;
@property(readonly) NSRange rangeValue;
@end

@interface NSNumber : NSValue
+ (NSNumber *)numberWithChar:(char)value;
+ (NSNumber *)numberWithUnsignedChar:(unsigned char)value;
+ (NSNumber *)numberWithShort:(short)value;
+ (NSNumber *)numberWithUnsignedShort:(unsigned short)value;
+ (NSNumber *)numberWithInt:(int)value;
+ (NSNumber *)numberWithUnsignedInt:(unsigned int)value;
+ (NSNumber *)numberWithLong:(long)value;
+ (NSNumber *)numberWithUnsignedLong:(unsigned long)value;
+ (NSNumber *)numberWithLongLong:(long long)value;
+ (NSNumber *)numberWithUnsignedLongLong:(unsigned long long)value;
+ (NSNumber *)numberWithFloat:(float)value;
+ (NSNumber *)numberWithDouble:(double)value;
+ (NSNumber *)numberWithBool:(BOOL)value;
+ (NSNumber *)numberWithInteger:(NSInteger)value;
+ (NSNumber *)numberWithUnsignedInteger:(NSUInteger)value;
@property(readonly) char charValue;
@property(readonly) int intValue;
@property(readonly) unsigned int unsignedIntValue;
@property(readonly) long longValue;
@property(readonly) long long longLongValue;
@property(readonly) unsigned long long unsignedLongLongValue;
@property(readonly) float floatValue;
@property(readonly) double doubleValue;
@property(readonly) BOOL boolValue;
@property(readonly) NSInteger integerValue;
@property(readonly) NSUInteger unsignedIntegerValue;
@property(readonly, copy) NSString *stringValue;
- (NSComparisonResult)compare:(NSNumber *)other;
- (BOOL)isEqualToNumber:(NSNumber *)other;
@end

#endif /* _FOUNDATION_NSVALUE_H_ */
