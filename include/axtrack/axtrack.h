/*
 * axtrack: follows the user's focus and selection in other applications and
 * reports each change to the host as an event (a name and a JSON text).
 *
 * Calling order: initMacAccessibility, then start, then any number of the
 * others; everything on the host's main thread, which must run its main run
 * loop. The two accessibility queries may be called at any time.
 */
#ifndef AXTRACK_AXTRACK_H
#define AXTRACK_AXTRACK_H

#include <stdint.h>

#ifndef __cplusplus
#include <stdbool.h>
#endif

#if defined(__GNUC__)
#define AXTRACK_EXPORT __attribute__((visibility("default")))
#else
#define AXTRACK_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The host's event callback: the event name and its JSON text, both
 * NUL-terminated UTF-8 and valid only during the call. Called on the main
 * thread. */
typedef void (*axtrack_callback)(const char *notification, const char *json);

/* Registers the callback (NULL is accepted: events then wait) and creates
 * the tracker, replacing any earlier one. */
AXTRACK_EXPORT void initMacAccessibility(axtrack_callback callback);

/* Starts tracking, then installs the blocked-field list from the
 * configuration: a JSON object from bundle identifier to an object with
 * "name" (an attribute name) and optionally "value". */
AXTRACK_EXPORT void start(const char *configuration);

/* Replaces the selection in the tracked application by pasting `text`. Blocks
 * for about 1.2 seconds; the pasteboard is restored afterwards. */
AXTRACK_EXPORT void setText(const char *text);

/* Brings the tracked application back to the front. */
AXTRACK_EXPORT void focusPreiov(void);

/* Reports "mouse_hoverd" when the pointer enters the given host window and
 * re-activates the tracked application when it leaves. */
AXTRACK_EXPORT void addMouseTracker(void *window);

/* Whether the process is trusted for accessibility; never prompts. */
AXTRACK_EXPORT bool isAccessibiltyEnabled(void);

/* The same query, asking the system to show its permission prompt. */
AXTRACK_EXPORT bool showAccessibiltyPermisionPopup(void);

/* The library also exports `int32_t main(int32_t argc, char **argv)`, which
 * empties the module state (tracker, callback, pending event) and returns 0.
 * A host program has a main of its own that would shadow it, so reach it
 * through dlsym(handle, "main") with this type. */
typedef int32_t (*axtrack_main_fn)(int32_t argc, char **argv);

#ifdef __cplusplus
}
#endif

#endif /* AXTRACK_AXTRACK_H */
