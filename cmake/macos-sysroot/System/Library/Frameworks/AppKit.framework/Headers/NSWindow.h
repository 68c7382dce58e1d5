/* Declaration sysroot: windows. Frames are in screen coordinates (origin
 * at the bottom left of the main screen). */
#ifndef _APPKIT_NSWINDOW_H_
#define _APPKIT_NSWINDOW_H_

#include <AppKit/AppKitDefines.h>
#include <AppKit/NSResponder.h>
#include <Foundation/Foundation.h>

@class NSView, NSScreen;
@protocol NSWindowDelegate;

typedef NS_OPTIONS(NSUInteger, NSWindowStyleMask) {
  NSWindowStyleMaskBorderless = 0,
  NSWindowStyleMaskTitled = 1 << 0,
  NSWindowStyleMaskClosable = 1 << 1,
  NSWindowStyleMaskMiniaturizable = 1 << 2,
  NSWindowStyleMaskResizable = 1 << 3
};

typedef NS_ENUM(NSUInteger, NSBackingStoreType) {
  NSBackingStoreBuffered = 2
};

@interface NSWindow : NSResponder
- (instancetype)initWithContentRect:(NSRect)contentRect
                          styleMask:(NSWindowStyleMask)style
                            backing:(NSBackingStoreType)backing
                              defer:(BOOL)defer;
@property(strong) __kindof NSView *contentView;
@property(weak) id<NSWindowDelegate> delegate;
@property(readonly) NSRect frame;
- (void)setFrame:(NSRect)frame display:(BOOL)display;
@property(readonly) NSInteger windowNumber;
@property(copy) NSString *title;
@property(readonly, getter=isVisible) BOOL visible;
@property(readonly, getter=isKeyWindow) BOOL keyWindow;
@property(readonly, getter=isMainWindow) BOOL mainWindow;
@property(readonly, strong) NSScreen *screen;
@property(readonly) NSPoint mouseLocationOutsideOfEventStream;
- (NSRect)convertRectToScreen:(NSRect)rect;
- (NSRect)convertRectFromScreen:(NSRect)rect;
- (NSPoint)convertPointToScreen:(NSPoint)point NS_AVAILABLE_MAC(10.12);
- (NSPoint)convertPointFromScreen:(NSPoint)point NS_AVAILABLE_MAC(10.12);
- (void)makeKeyAndOrderFront:(id)sender;
- (void)orderFront:(id)sender;
- (void)orderOut:(id)sender;
- (void)close;
@end

@protocol NSWindowDelegate <NSObject>
@optional
- (void)windowDidMove:(NSNotification *)notification;
- (void)windowDidResize:(NSNotification *)notification;
- (void)windowDidBecomeKey:(NSNotification *)notification;
- (void)windowDidResignKey:(NSNotification *)notification;
- (void)windowWillClose:(NSNotification *)notification;
@end

#endif /* _APPKIT_NSWINDOW_H_ */
