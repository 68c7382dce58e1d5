/*
 * The kit for testing hosts: the simulated desktop, driven from a host's own
 * tests. The test loads libaxtrack-simdesk (the same eight entry points as
 * the real library) in place of the real one, and this library (link with
 * -laxtrack-kit) lays out the desktop and plays what the user does.
 *
 *   axtrack_kit_load("selection.json", error, sizeof error);
 *   init(callback); start("{}");           -- the host's own calls
 *   axtrack_kit_run_until(3.0);            -- events reach the callback here
 *   setText("replacement");                -- the host acts on an event
 *   axtrack_kit_run_until_idle();
 *   char *text = axtrack_kit_text("notes"); ... axtrack_kit_free(text);
 *
 * Scenario files are the player's (docs/scenarios.md): their applications,
 * elements, host windows, pasteboard and trust make the desktop; of their
 * steps, those of the user and the other applications (activate, focus,
 * select, copy, hotkey, pointer, ...) are played at their times, while the
 * host's calls (initMacAccessibility, start, setText, ...) are left to the
 * host. Time is virtual: it moves only in the run functions, which run the
 * main loop the library works on. One desktop per process; call everything
 * from one thread.
 */
#ifndef AXTRACK_KIT_H
#define AXTRACK_KIT_H

#include <stddef.h>

#if defined(__GNUC__)
#define AXTRACK_KIT_EXPORT __attribute__((visibility("default")))
#else
#define AXTRACK_KIT_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Replaces the desktop by the one the scenario file describes, at virtual
 * time 0, and queues its user steps. 0 on success; -1 for a file that can't
 * be read or used, with the reason in `error` (NUL-terminated, cut to
 * `error_size`; may be NULL), the desktop then left as it was. */
AXTRACK_KIT_EXPORT int axtrack_kit_load(const char *scenario_path, char *error, size_t error_size);

/* Runs the main loop and the queued steps up to `seconds` of virtual time:
 * each step when its time comes, everything due before it first. */
AXTRACK_KIT_EXPORT void axtrack_kit_run_until(double seconds);

/* Plays every queued step, then runs the main loop until nothing more is
 * due; returns the virtual time it stopped at. */
AXTRACK_KIT_EXPORT double axtrack_kit_run_until_idle(void);

/* The virtual time now, in seconds. */
AXTRACK_KIT_EXPORT double axtrack_kit_now(void);

/* What to give addMouseTracker for the scenario's host window `window_id`
 * (NULL for an unknown id). */
AXTRACK_KIT_EXPORT void *axtrack_kit_window(const char *window_id);

/* The text of element `element_id` now, UTF-8; NULL for an element without
 * text or unknown. Free with axtrack_kit_free. */
AXTRACK_KIT_EXPORT char *axtrack_kit_text(const char *element_id);

/* The pasteboard now as JSON: an array of items, each an object from type
 * to data, as in scenario files. Free with axtrack_kit_free. */
AXTRACK_KIT_EXPORT char *axtrack_kit_pasteboard(void);

/* The process id of the frontmost application (the host is 1), or 0. */
AXTRACK_KIT_EXPORT int axtrack_kit_frontmost(void);

AXTRACK_KIT_EXPORT void axtrack_kit_free(char *text);

#ifdef __cplusplus
}
#endif

#endif /* AXTRACK_KIT_H */
