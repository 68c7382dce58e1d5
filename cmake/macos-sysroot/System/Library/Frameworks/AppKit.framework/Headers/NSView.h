/* Declaration sysroot: views. */
#ifndef _APPKIT_NSVIEW_H_
#define _APPKIT_NSVIEW_H_

#include <AppKit/AppKitDefines.h>
#include <AppKit/NSResponder.h>
#include <AppKit/NSTrackingArea.h>
#include <Foundation/Foundation.h>

@class NSWindow;

@interface NSView : NSResponder
- (instancetype)initWithFrame:(NSRect)frame;
@property(readonly, weak) NSWindow *window;
@property(readonly, weak) NSView *superview;
@property(copy) NSArray<__kindof NSView *> *subviews;
- (void)addSubview:(NSView *)view;
- (void)removeFromSuperview;
@property NSRect frame;
@property NSRect bounds;
@property(getter=isHidden) BOOL hidden;
@property(readonly, getter=isFlipped) BOOL flipped;
- (NSPoint)convertPoint:(NSPoint)point fromView:(NSView *)view;
- (NSPoint)convertPoint:(NSPoint)point toView:(NSView *)view;
- (NSRect)convertRect:(NSRect)rect fromView:(NSView *)view;
- (NSRect)convertRect:(NSRect)rect toView:(NSView *)view;
@property BOOL needsDisplay;

- (void)addTrackingArea:(NSTrackingArea *)area;
- (void)removeTrackingArea:(NSTrackingArea *)area;
@property(readonly, copy) NSArray<NSTrackingArea *> *trackingAreas;
/* Called when the view's geometry changes; overrides call super. */
- (void)updateTrackingAreas NS_REQUIRES_SUPER;
@end

#endif /* _APPKIT_NSVIEW_H_ */
