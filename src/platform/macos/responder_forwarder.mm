#include "responder_forwarder.h"

#include <utility>

#include "c_callback.h"

@implementation AXTrackResponderForwarder {
  std::weak_ptr<axt::platform::Responder> _responder;
  __weak id<NSWindowDelegate> _previous;
}

- (instancetype)initWithResponder:(std::weak_ptr<axt::platform::Responder>)responder
                 previousDelegate:(id<NSWindowDelegate>)previous {
  self = [super init];
  if (self != nil) {
    _responder = std::move(responder);
    _previous = previous;
  }
  return self;
}

// What this class doesn't implement goes to the previous delegate when it
// does; the answers to whether a message is understood say so.
- (id)forwardingTargetForSelector:(SEL)selector {
  id previous = _previous;
  if ([previous respondsToSelector:selector]) return previous;
  return [super forwardingTargetForSelector:selector];
}

- (BOOL)respondsToSelector:(SEL)selector {
  return [super respondsToSelector:selector] || [_previous respondsToSelector:selector];
}

- (BOOL)conformsToProtocol:(Protocol*)protocol {
  return [super conformsToProtocol:protocol] || [_previous conformsToProtocol:protocol];
}

// The tracking area's own messages, handled here only: the window's
// delegate never got them from the window (they aren't delegate messages),
// and a delegate that tracks areas of its own would take them for its own.
- (void)mouseEntered:(NSEvent*)event {
  const std::weak_ptr<axt::platform::Responder> responder = _responder;
  axt::macdesk::callFromC([&responder] {
    if (const auto r = responder.lock()) r->mouseEntered();
  });
}

- (void)mouseExited:(NSEvent*)event {
  const std::weak_ptr<axt::platform::Responder> responder = _responder;
  axt::macdesk::callFromC([&responder] {
    if (const auto r = responder.lock()) r->mouseExited();
  });
}

@end
