/* Declaration sysroot: running applications. */
#ifndef _APPKIT_NSRUNNINGAPPLICATION_H_
#define _APPKIT_NSRUNNINGAPPLICATION_H_

#include <AppKit/AppKitDefines.h>
#include <Foundation/Foundation.h>

typedef NS_OPTIONS(NSUInteger, NSApplicationActivationOptions) {
  NSApplicationActivateAllWindows = 1 << 0,
  NSApplicationActivateIgnoringOtherApps = 1 << 1
};

typedef NS_ENUM(NSInteger, NSApplicationActivationPolicy) {
  NSApplicationActivationPolicyRegular = 0,
  NSApplicationActivationPolicyAccessory = 1,
  NSApplicationActivationPolicyProhibited = 2
};

@interface NSRunningApplication : NSObject
@property(class, readonly, strong) NSRunningApplication *currentApplication;
+ (instancetype)runningApplicationWithProcessIdentifier:(pid_t)pid;
+ (NSArray<NSRunningApplication *> *)runningApplicationsWithBundleIdentifier:(NSString *)bundleIdentifier;
@property(readonly) pid_t processIdentifier;
@property(readonly, copy) NSString *bundleIdentifier;
@property(readonly, copy) NSString *localizedName;
@property(readonly, copy) NSURL *bundleURL;
@property(readonly, copy) NSDate *launchDate;
@property(readonly) NSApplicationActivationPolicy activationPolicy;
@property(readonly, getter=isActive) BOOL active;
@property(readonly, getter=isHidden) BOOL hidden;
@property(readonly, getter=isTerminated) BOOL terminated;
@property(readonly, getter=isFinishedLaunching) BOOL finishedLaunching;
@property(readonly) BOOL ownsMenuBar;
/* Asks the application to come to the front; false when the request
 * could not be made (it may still be refused later). */
- (BOOL)activateWithOptions:(NSApplicationActivationOptions)options;
- (BOOL)hide;
- (BOOL)unhide;
@end

#endif /* _APPKIT_NSRUNNINGAPPLICATION_H_ */
