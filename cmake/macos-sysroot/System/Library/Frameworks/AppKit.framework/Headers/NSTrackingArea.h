/* Declaration sysroot: tracking areas, regions of a view whose owner is
 * told when the pointer enters, leaves or moves in them. */
#ifndef _APPKIT_NSTRACKINGAREA_H_
#define _APPKIT_NSTRACKINGAREA_H_

#include <AppKit/AppKitDefines.h>
#include <Foundation/Foundation.h>

/* Pick one or more of what is reported and exactly one of when. */
typedef NS_OPTIONS(NSUInteger, NSTrackingAreaOptions) {
  NSTrackingMouseEnteredAndExited = 0x01,
  NSTrackingMouseMoved = 0x02,
  NSTrackingCursorUpdate = 0x04,
  NSTrackingActiveWhenFirstResponder = 0x10,
  NSTrackingActiveInKeyWindow = 0x20,
  NSTrackingActiveInActiveApp = 0x40,
  NSTrackingActiveAlways = 0x80,
  NSTrackingAssumeInside = 0x100,
  NSTrackingInVisibleRect = 0x200,
  NSTrackingEnabledDuringMouseDrag = 0x400
};

@interface NSTrackingArea : NSObject <NSCopying>
/* The owner receives mouseEntered:, mouseExited:, mouseMoved: and
 * cursorUpdate:; the area does not retain it. */
- (instancetype)initWithRect:(NSRect)rect
                     options:(NSTrackingAreaOptions)options
                       owner:(id)owner
                    userInfo:(NSDictionary *)userInfo;
@property(readonly) NSRect rect;
@property(readonly) NSTrackingAreaOptions options;
@property(readonly, weak) id owner;
@property(readonly, copy) NSDictionary *userInfo;
@end

#endif /* _APPKIT_NSTRACKINGAREA_H_ */
