// An AppKit responder standing for one of the seam's responders
// (Objective-C++ only): the owner of a tracking area, told when the pointer
// enters or leaves it, and a window's delegate. It hands mouseEntered: and
// mouseExited: to the seam's responder, which it doesn't keep alive; once
// that is gone the events are dropped. AppKit keeps neither a tracking
// area's owner nor a window's delegate: whoever makes one keeps it.
#pragma once

#import <AppKit/AppKit.h>

#include <memory>

#include "platform/platform.h"

@interface AXTrackResponderForwarder : NSResponder <NSWindowDelegate>
- (instancetype)initWithResponder:(std::weak_ptr<axt::platform::Responder>)responder;
@end
