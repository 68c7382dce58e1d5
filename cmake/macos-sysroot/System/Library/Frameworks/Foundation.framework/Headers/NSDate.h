/* Declaration sysroot: dates, as seconds since the reference date
 * (1 January 2001, 00:00:00 UTC). */
#ifndef _FOUNDATION_NSDATE_H_
#define _FOUNDATION_NSDATE_H_

#include <Foundation/NSObject.h>

typedef double NSTimeInterval;
#define NSTimeIntervalSince1970 978307200.0

@interface NSDate : NSObject <NSCopying>
@property(readonly) NSTimeInterval timeIntervalSinceReferenceDate;
- (instancetype)init;
- (instancetype)initWithTimeIntervalSinceReferenceDate:(NSTimeInterval)seconds;
@end

@interface NSDate (NSExtendedDate)
@property(class, readonly) NSTimeInterval timeIntervalSinceReferenceDate;
@property(readonly) NSTimeInterval timeIntervalSinceNow;
@property(readonly) NSTimeInterval timeIntervalSince1970;
- (NSTimeInterval)timeIntervalSinceDate:(NSDate *)other;
- (instancetype)dateByAddingTimeInterval:(NSTimeInterval)seconds;
- (NSComparisonResult)compare:(NSDate *)other;
- (BOOL)isEqualToDate:(NSDate *)other;
@end

@interface NSDate (NSDateCreation)
+ (instancetype)date;
+ (instancetype)dateWithTimeIntervalSinceNow:(NSTimeInterval)seconds;
+ (instancetype)dateWithTimeIntervalSinceReferenceDate:(NSTimeInterval)seconds;
+ (instancetype)dateWithTimeIntervalSince1970:(NSTimeInterval)seconds;
@property(class, readonly, copy) NSDate *distantFuture;
@property(class, readonly, copy) NSDate *distantPast;
@property(class, readonly, copy) NSDate *now NS_AVAILABLE_MAC(10.15);
@end

#endif /* _FOUNDATION_NSDATE_H_ */
