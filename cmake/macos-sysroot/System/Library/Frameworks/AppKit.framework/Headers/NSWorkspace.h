/* Declaration sysroot: the shared workspace and the notifications it posts
 * on its own notification centre (not the default one). */
#ifndef _APPKIT_NSWORKSPACE_H_
#define _APPKIT_NSWORKSPACE_H_

#include <AppKit/AppKitDefines.h>
#include <AppKit/NSRunningApplication.h>
#include <Foundation/Foundation.h>

@interface NSWorkspace : NSObject
@property(class, readonly, strong) NSWorkspace *sharedWorkspace;
@property(readonly, strong) NSNotificationCenter *notificationCenter;
@property(readonly, strong) NSRunningApplication *frontmostApplication;
@property(readonly, strong) NSRunningApplication *menuBarOwningApplication;
@property(readonly, copy) NSArray<NSRunningApplication *> *runningApplications;
@end

/* Key of the notifications' user information: the NSRunningApplication
 * concerned. */
APPKIT_EXTERN NSString *const NSWorkspaceApplicationKey;

APPKIT_EXTERN NSNotificationName const NSWorkspaceWillLaunchApplicationNotification;
APPKIT_EXTERN NSNotificationName const NSWorkspaceDidLaunchApplicationNotification;
APPKIT_EXTERN NSNotificationName const NSWorkspaceDidTerminateApplicationNotification;
APPKIT_EXTERN NSNotificationName const NSWorkspaceDidHideApplicationNotification;
APPKIT_EXTERN NSNotificationName const NSWorkspaceDidUnhideApplicationNotification;
APPKIT_EXTERN NSNotificationName const NSWorkspaceDidActivateApplicationNotification;
APPKIT_EXTERN NSNotificationName const NSWorkspaceDidDeactivateApplicationNotification;
APPKIT_EXTERN NSNotificationName const NSWorkspaceActiveSpaceDidChangeNotification;
APPKIT_EXTERN NSNotificationName const NSWorkspaceSessionDidBecomeActiveNotification;
APPKIT_EXTERN NSNotificationName const NSWorkspaceSessionDidResignActiveNotification;
APPKIT_EXTERN NSNotificationName const NSWorkspaceDidWakeNotification;
APPKIT_EXTERN NSNotificationName const NSWorkspaceWillSleepNotification;

#endif /* _APPKIT_NSWORKSPACE_H_ */
