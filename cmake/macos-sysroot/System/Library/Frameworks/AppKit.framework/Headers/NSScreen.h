/* Declaration sysroot: screens. The first screen's frame has its origin at
 * the bottom left of the global screen space. */
#ifndef _APPKIT_NSSCREEN_H_
#define _APPKIT_NSSCREEN_H_

#include <AppKit/AppKitDefines.h>
#include <Foundation/Foundation.h>

@interface NSScreen : NSObject
@property(class, readonly, copy) NSArray<NSScreen *> *screens;
@property(class, readonly, strong) NSScreen *mainScreen;
@property(readonly) NSRect frame;
@property(readonly) NSRect visibleFrame;
@end

#endif /* _APPKIT_NSSCREEN_H_ */
