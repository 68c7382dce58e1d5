#include <CoreFoundation/CoreFoundation.h>

#include "cf_turn.h"

double axn_cf_turn(double max_ms) {
  CFAbsoluteTime next;
  double wait_ms;
  (void)CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0, false);
  next = CFRunLoopGetNextTimerFireDate(CFRunLoopGetMain(), kCFRunLoopDefaultMode);
  if (next <= 0) return max_ms; /* no timer */
  wait_ms = (next - CFAbsoluteTimeGetCurrent()) * 1000.0;
  if (wait_ms < 0) wait_ms = 0;
  return wait_ms < max_ms ? wait_ms : max_ms;
}
