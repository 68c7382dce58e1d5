/* Declaration sysroot: strings. Lengths and indexes count UTF-16 code units
 * (unichar); NSString is toll-free bridged with CFStringRef. */
#ifndef _FOUNDATION_NSSTRING_H_
#define _FOUNDATION_NSSTRING_H_

#include <Foundation/NSObject.h>
#include <Foundation/NSRange.h>

@class NSData, NSArray;

typedef unsigned short unichar;

typedef NSUInteger NSStringEncoding;
enum {
  NSASCIIStringEncoding = 1,
  NSUTF8StringEncoding = 4,
  NSISOLatin1StringEncoding = 5,
  NSUnicodeStringEncoding = 10,
  NSMacOSRomanStringEncoding = 30,
  NSUTF16StringEncoding = NSUnicodeStringEncoding,
  NSUTF16BigEndianStringEncoding = 0x90000100,
  NSUTF16LittleEndianStringEncoding = 0x94000100,
  NSUTF32StringEncoding = 0x8c000100
};

typedef NS_OPTIONS(NSUInteger, NSStringCompareOptions) {
  NSCaseInsensitiveSearch = 1,
  NSLiteralSearch = 2,
  NSBackwardsSearch = 4,
  NSAnchoredSearch = 8,
  NSNumericSearch = 64
};

@interface NSString : NSObject <NSCopying, NSMutableCopying>
@property(readonly) NSUInteger length;
- (unichar)characterAtIndex:(NSUInteger)index;
- (instancetype)init;
@end

@interface NSString (NSStringExtensionMethods)
+ (instancetype)string;
+ (instancetype)stringWithString:(NSString *)string;
+ (instancetype)stringWithCharacters:(const unichar *)characters length:(NSUInteger)length;
+ (instancetype)stringWithUTF8String:(const char *)text;
+ (instancetype)stringWithFormat:(NSString *)format, ... NS_FORMAT_FUNCTION(1, 2);
- (instancetype)initWithString:(NSString *)string;
- (instancetype)initWithCharacters:(const unichar *)characters length:(NSUInteger)length;
- (instancetype)initWithUTF8String:(const char *)text;
- (instancetype)initWithBytes:(const void *)bytes
                       length:(NSUInteger)length
                     encoding:(NSStringEncoding)encoding;
- (instancetype)initWithData:(NSData *)data encoding:(NSStringEncoding)encoding;
- (instancetype)initWithFormat:(NSString *)format, ... NS_FORMAT_FUNCTION(1, 2);

- (void)getCharacters:(unichar *)buffer range:(NSRange)range;
- (NSString *)substringWithRange:(NSRange)range;
- (NSString *)substringFromIndex:(NSUInteger)from;
- (NSString *)substringToIndex:(NSUInteger)to;
- (NSRange)rangeOfComposedCharacterSequenceAtIndex:(NSUInteger)index;
- (BOOL)isEqualToString:(NSString *)other;
- (BOOL)hasPrefix:(NSString *)prefix;
- (BOOL)hasSuffix:(NSString *)suffix;
- (NSComparisonResult)compare:(NSString *)other;
- (NSComparisonResult)compare:(NSString *)other options:(NSStringCompareOptions)options;
- (NSRange)rangeOfString:(NSString *)part;
- (NSArray *)componentsSeparatedByString:(NSString *)separator;
- (NSString *)stringByAppendingString:(NSString *)tail;

/* Valid while the string (or the autorelease pool) is. */
@property(readonly) const char *UTF8String NS_RETURNS_INNER_POINTER;
- (const char *)cStringUsingEncoding:(NSStringEncoding)encoding NS_RETURNS_INNER_POINTER;
- (NSUInteger)lengthOfBytesUsingEncoding:(NSStringEncoding)encoding;
- (NSData *)dataUsingEncoding:(NSStringEncoding)encoding;
@end

@interface NSMutableString : NSString
+ (instancetype)stringWithCapacity:(NSUInteger)capacity;
- (void)appendString:(NSString *)tail;
- (void)appendFormat:(NSString *)format, ... NS_FORMAT_FUNCTION(1, 2);
- (void)setString:(NSString *)string;
- (void)replaceCharactersInRange:(NSRange)range withString:(NSString *)string;
@end

#endif /* _FOUNDATION_NSSTRING_H_ */
