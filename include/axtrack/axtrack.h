/*
 * axtrack: follows the user's focus and selection in other applications and
 * reports each change to the host as an event (a name and a JSON text).
 *
 * Threads and order. Every call, and every call of the host's callback,
 * happens on the host's main thread, and that thread must run its main
 * loop: the main run loop on macOS (any Cocoa application runs it), GLib's
 * default main context on Linux (GTK runs it; Qt with its GLib event
 * dispatcher, the default on Linux, and Chromium's message pump run it too).
 * Call initMacAccessibility first, then start, then any of the others; the
 * two accessibility queries may be called at any time. `main` ends it all.
 *
 * Loading. The exported names are short and generic (`start`, `main`,
 * `setText`) and may meet a host's own symbols: load the library with
 * dlopen(..., RTLD_NOW | RTLD_LOCAL) and look the entry points up with
 * dlsym, as the examples do, rather than linking it into the host's global
 * namespace.
 *
 * Events: the callback receives the event's name and a compact JSON object.
 *   "app_changed"        another application became active: "role", "name",
 *                        "bundle_id"
 *   "focused_changed"    the focus moved to another element: "bundle_id",
 *                        "name"
 *   "caret"              the caret was placed without a selection: {}
 *   "text_select"        text was selected: a selection (below)
 *   "ui_reized"          a window moved or was resized while text was
 *                        selected in it: a selection
 *   "alt_enter_pressed"  Option+Return (Alt+Return on Linux) in a text area:
 *                        a selection, or the text before the caret with the
 *                        caret's rectangle
 *   "error"              Option+Return, and the text before the caret
 *                        couldn't be read: "message"
 *   "mouse_hoverd"       the pointer entered a window given to
 *                        addMouseTracker: {}
 * A selection is "selected_text", "is_editable", "position" {"x", "y"},
 * "size" {"width", "height"} in screen points, "bundle_id" and "name"; or a
 * single "message" when no rectangle could be found. Each event arrives
 * about 0.18 s after it happened; of events closer together than that, only
 * the last is delivered.
 */
#ifndef AXTRACK_AXTRACK_H
#define AXTRACK_AXTRACK_H

#include <stdint.h>

/* The version of this interface and of the library built with it. */
#define AXTRACK_VERSION_MAJOR 0
#define AXTRACK_VERSION_MINOR 1
#define AXTRACK_VERSION_PATCH 0
#define AXTRACK_VERSION "0.1.0"

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
 * the calling (main) thread for about 1.2 seconds; the pasteboard is
 * restored afterwards. */
AXTRACK_EXPORT void setText(const char *text);

/* Brings the tracked application back to the front. */
AXTRACK_EXPORT void focusPreiov(void);

/* Reports "mouse_hoverd" when the pointer enters the given host window and
 * re-activates the tracked application when it leaves. The window is an
 * `NSWindow *` on macOS (the library becomes its delegate), the X11 window
 * id (cast to a pointer) on Linux; anything else is ignored. */
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
