/* Declaration sysroot: Cocoa geometry. Points, sizes and rectangles are
 * Core Graphics' (origin at the bottom left in Cocoa's screen space). */
#ifndef _FOUNDATION_NSGEOMETRY_H_
#define _FOUNDATION_NSGEOMETRY_H_

#include <Foundation/NSObjCRuntime.h>
#include <Foundation/NSValue.h>
#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGGeometry.h>

typedef CGPoint NSPoint;
typedef CGSize NSSize;
typedef CGRect NSRect;
typedef NSPoint *NSPointPointer;
typedef NSRect *NSRectPointer;

FOUNDATION_EXPORT const NSPoint NSZeroPoint;
FOUNDATION_EXPORT const NSSize NSZeroSize;
FOUNDATION_EXPORT const NSRect NSZeroRect;

NS_INLINE NSPoint NSMakePoint(CGFloat x, CGFloat y) { return CGPointMake(x, y); }
NS_INLINE NSSize NSMakeSize(CGFloat width, CGFloat height) { return CGSizeMake(width, height); }
NS_INLINE NSRect NSMakeRect(CGFloat x, CGFloat y, CGFloat width, CGFloat height) {
  return CGRectMake(x, y, width, height);
}
NS_INLINE CGFloat NSMinX(NSRect rect) { return rect.origin.x; }
NS_INLINE CGFloat NSMinY(NSRect rect) { return rect.origin.y; }
NS_INLINE CGFloat NSMaxX(NSRect rect) { return rect.origin.x + rect.size.width; }
NS_INLINE CGFloat NSMaxY(NSRect rect) { return rect.origin.y + rect.size.height; }
NS_INLINE CGFloat NSMidX(NSRect rect) { return rect.origin.x + rect.size.width * (CGFloat)0.5; }
NS_INLINE CGFloat NSMidY(NSRect rect) { return rect.origin.y + rect.size.height * (CGFloat)0.5; }
NS_INLINE CGFloat NSWidth(NSRect rect) { return rect.size.width; }
NS_INLINE CGFloat NSHeight(NSRect rect) { return rect.size.height; }

FOUNDATION_EXPORT BOOL NSEqualPoints(NSPoint first, NSPoint second);
FOUNDATION_EXPORT BOOL NSEqualSizes(NSSize first, NSSize second);
FOUNDATION_EXPORT BOOL NSEqualRects(NSRect first, NSRect second);
FOUNDATION_EXPORT BOOL NSIsEmptyRect(NSRect rect);
FOUNDATION_EXPORT BOOL NSPointInRect(NSPoint point, NSRect rect);
FOUNDATION_EXPORT BOOL NSIntersectsRect(NSRect first, NSRect second);
FOUNDATION_EXPORT NSRect NSIntersectionRect(NSRect first, NSRect second);
FOUNDATION_EXPORT NSRect NSUnionRect(NSRect first, NSRect second);
FOUNDATION_EXPORT NSRect NSInsetRect(NSRect rect, CGFloat dx, CGFloat dy);

@interface NSValue (NSValueGeometryExtensions)
+ (NSValue *)valueWithPoint:(NSPoint)point;
+ (NSValue *)valueWithSize:(NSSize)size;
+ (NSValue *)valueWithRect:(NSRect)rect;
@property(readonly) NSPoint pointValue;
@property(readonly) NSSize sizeValue;
@property(readonly) NSRect rectValue;
@end

#endif /* _FOUNDATION_NSGEOMETRY_H_ */
