#include "responder_forwarder.h"

#include <utility>

#include "c_callback.h"

@implementation AXTrackResponderForwarder {
  std::weak_ptr<axt::platform::Responder> _responder;
}

- (instancetype)initWithResponder:(std::weak_ptr<axt::platform::Responder>)responder {
  self = [super init];
  if (self != nil) _responder = std::move(responder);
  return self;
}

- (void)mouseEntered:(NSEvent*)event {
  (void)event;
  const std::weak_ptr<axt::platform::Responder> responder = _responder;
  axt::macdesk::callFromC([&responder] {
    if (const auto r = responder.lock()) r->mouseEntered();
  });
}

- (void)mouseExited:(NSEvent*)event {
  (void)event;
  const std::weak_ptr<axt::platform::Responder> responder = _responder;
  axt::macdesk::callFromC([&responder] {
    if (const auto r = responder.lock()) r->mouseExited();
  });
}

@end
