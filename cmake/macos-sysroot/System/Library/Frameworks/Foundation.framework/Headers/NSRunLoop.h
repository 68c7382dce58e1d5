/* Declaration sysroot: run loops and timers. */
#ifndef _FOUNDATION_NSRUNLOOP_H_
#define _FOUNDATION_NSRUNLOOP_H_

#include <Foundation/NSObject.h>
#include <Foundation/NSDate.h>
#include <Foundation/NSArray.h>
#include <CoreFoundation/CFRunLoop.h>

@class NSString;

typedef NSString *NSRunLoopMode NS_TYPED_EXTENSIBLE_ENUM;
FOUNDATION_EXPORT NSRunLoopMode const NSDefaultRunLoopMode;
FOUNDATION_EXPORT NSRunLoopMode const NSRunLoopCommonModes;

@interface NSTimer : NSObject
#if defined(__BLOCKS__)
/* One-shot or repeating; the scheduled forms add the timer to the current
 * run loop in the default mode. */
+ (NSTimer *)timerWithTimeInterval:(NSTimeInterval)interval
                           repeats:(BOOL)repeats
                             block:(void (^)(NSTimer *timer))block NS_AVAILABLE_MAC(10.12);
+ (NSTimer *)scheduledTimerWithTimeInterval:(NSTimeInterval)interval
                                    repeats:(BOOL)repeats
                                      block:(void (^)(NSTimer *timer))block NS_AVAILABLE_MAC(10.12);
#endif
+ (NSTimer *)timerWithTimeInterval:(NSTimeInterval)interval
                            target:(id)target
                          selector:(SEL)selector
                          userInfo:(id)userInfo
                           repeats:(BOOL)repeats;
+ (NSTimer *)scheduledTimerWithTimeInterval:(NSTimeInterval)interval
                                     target:(id)target
                                   selector:(SEL)selector
                                   userInfo:(id)userInfo
                                    repeats:(BOOL)repeats;
- (void)fire;
- (void)invalidate;
@property(copy) NSDate *fireDate;
@property(readonly) NSTimeInterval timeInterval;
@property NSTimeInterval tolerance;
@property(readonly, getter=isValid) BOOL valid;
@property(readonly, retain) id userInfo;
@end

@interface NSRunLoop : NSObject
@property(class, readonly, strong) NSRunLoop *currentRunLoop;
@property(class, readonly, strong) NSRunLoop *mainRunLoop;
@property(readonly, copy) NSRunLoopMode currentMode;
- (CFRunLoopRef)getCFRunLoop CF_RETURNS_NOT_RETAINED;
- (void)addTimer:(NSTimer *)timer forMode:(NSRunLoopMode)mode;
- (void)run;
- (void)runUntilDate:(NSDate *)limit;
- (BOOL)runMode:(NSRunLoopMode)mode beforeDate:(NSDate *)limit;
#if defined(__BLOCKS__)
- (void)performInModes:(NSArray<NSRunLoopMode> *)modes block:(void (^)(void))block NS_AVAILABLE_MAC(10.12);
- (void)performBlock:(void (^)(void))block NS_AVAILABLE_MAC(10.12);
#endif
@end

#endif /* _FOUNDATION_NSRUNLOOP_H_ */
