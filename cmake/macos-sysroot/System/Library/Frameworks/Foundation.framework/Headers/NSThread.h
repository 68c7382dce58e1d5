/* Declaration sysroot: threads and the process. */
#ifndef _FOUNDATION_NSTHREAD_H_
#define _FOUNDATION_NSTHREAD_H_

#include <Foundation/NSObject.h>
#include <Foundation/NSDate.h>

@class NSString;

@interface NSThread : NSObject
@property(class, readonly, strong) NSThread *currentThread;
@property(class, readonly, strong) NSThread *mainThread;
@property(class, readonly) BOOL isMainThread;
@property(readonly) BOOL isMainThread;
+ (void)sleepForTimeInterval:(NSTimeInterval)seconds;
@end

typedef struct {
  NSInteger majorVersion;
  NSInteger minorVersion;
  NSInteger patchVersion;
} NSOperatingSystemVersion;

@interface NSProcessInfo : NSObject
@property(class, readonly, strong) NSProcessInfo *processInfo;
@property(readonly) int processIdentifier;
@property(readonly, copy) NSString *processName;
@property(readonly) NSOperatingSystemVersion operatingSystemVersion;
- (BOOL)isOperatingSystemAtLeastVersion:(NSOperatingSystemVersion)version;
/* Seconds since the computer started, on a clock that does not jump. */
@property(readonly) NSTimeInterval systemUptime;
@end

#endif /* _FOUNDATION_NSTHREAD_H_ */
