// An AppKit responder standing for one of the seam's responders
// (Objective-C++ only): the owner of a tracking area, told when the pointer
// enters or leaves it, and a window's delegate. It hands mouseEntered: and
// mouseExited: to the seam's responder, which it doesn't keep alive; once
// that is gone the events are dropped. AppKit keeps neither a tracking
// area's owner nor a window's delegate: whoever makes one keeps it.
//
// Made a window's delegate, it stands in front of the delegate the window
// had before (the host's window controller, which asks whether to save
// before the window closes): every message it doesn't handle itself goes on
// to that one. What it handles itself are its tracking area's messages,
// which are no delegate's. The previous delegate is held weakly, as AppKit
// holds delegates. A second forwarder on the same window stands in front of
// the first in turn.
#pragma once

#import <AppKit/AppKit.h>

#include <memory>

#include "platform/platform.h"

@interface AXTrackResponderForwarder : NSResponder <NSWindowDelegate>
- (instancetype)initWithResponder:(std::weak_ptr<axt::platform::Responder>)responder
                 previousDelegate:(id<NSWindowDelegate>)previous;
@end
