/* Declaration sysroot: responders, the base of views and windows. */
#ifndef _APPKIT_NSRESPONDER_H_
#define _APPKIT_NSRESPONDER_H_

#include <AppKit/AppKitDefines.h>
#include <Foundation/Foundation.h>

@class NSEvent;

@interface NSResponder : NSObject
- (instancetype)init;
@property(weak) NSResponder *nextResponder;
@property(readonly) BOOL acceptsFirstResponder;
- (BOOL)becomeFirstResponder;
- (BOOL)resignFirstResponder;
- (void)mouseDown:(NSEvent *)event;
- (void)mouseUp:(NSEvent *)event;
- (void)mouseMoved:(NSEvent *)event;
- (void)mouseDragged:(NSEvent *)event;
- (void)mouseEntered:(NSEvent *)event;
- (void)mouseExited:(NSEvent *)event;
- (void)cursorUpdate:(NSEvent *)event;
- (void)keyDown:(NSEvent *)event;
- (void)keyUp:(NSEvent *)event;
- (void)flagsChanged:(NSEvent *)event;
@end

#endif /* _APPKIT_NSRESPONDER_H_ */
