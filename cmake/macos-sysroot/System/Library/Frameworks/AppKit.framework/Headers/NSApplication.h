/* Declaration sysroot: the application object of the host process. */
#ifndef _APPKIT_NSAPPLICATION_H_
#define _APPKIT_NSAPPLICATION_H_

#include <AppKit/AppKitDefines.h>
#include <AppKit/NSResponder.h>
#include <Foundation/Foundation.h>

@class NSWindow;

@interface NSApplication : NSResponder
@property(class, readonly, strong) __kindof NSApplication *sharedApplication;
@property(readonly, getter=isActive) BOOL active;
@property(readonly, weak) NSWindow *keyWindow;
@property(readonly, weak) NSWindow *mainWindow;
@property(readonly, copy) NSArray<NSWindow *> *windows;
- (void)activateIgnoringOtherApps:(BOOL)flag;
@end

/* The shared application, once sharedApplication has made it. */
APPKIT_EXTERN __kindof NSApplication *NSApp;

#endif /* _APPKIT_NSAPPLICATION_H_ */
