/* The main CFRunLoop, turned from a timer in a plain Node process on macOS,
 * which runs no run loop of its own. */
#ifndef AXN_CF_TURN_H
#define AXN_CF_TURN_H

/* Runs the main run loop once in its default mode, handling whatever is
 * ready (sources, timers, the main dispatch queue) without waiting. Returns
 * the milliseconds until the run loop's next timer, at most `max_ms`: a
 * source that becomes ready in between (an accessibility notification, a
 * block for the main queue) waits for the next turn. */
double axn_cf_turn(double max_ms);

#endif
