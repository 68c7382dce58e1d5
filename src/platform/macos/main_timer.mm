#include "main_timer.h"

#import <Foundation/Foundation.h>

#include <memory>
#include <utility>

#include "c_callback.h"

namespace axt::macdesk {

void scheduleMainTimer(double interval, bool commonModes, std::function<void()> action) {
  // Shared with the block, which the timer keeps until it has fired.
  auto shared = std::make_shared<std::function<void()>>(std::move(action));
  NSTimer* timer = [NSTimer timerWithTimeInterval:interval
                                          repeats:NO
                                            block:^(NSTimer*) {
                                              callFromC([&shared] {
                                                if (*shared) (*shared)();
                                              });
                                            }];
  [NSRunLoop.mainRunLoop addTimer:timer forMode:commonModes ? NSRunLoopCommonModes : NSDefaultRunLoopMode];
}

}  // namespace axt::macdesk
