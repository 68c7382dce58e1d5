/* What addMouseTracker is given, from what a JavaScript host has: a Buffer
 * from Electron's BrowserWindow.getNativeWindowHandle() (an X11 window id on
 * Linux, an NSView * on macOS), a BigInt or a non-negative integer. */
#ifndef AXN_WINDOW_HANDLE_H
#define AXN_WINDOW_HANDLE_H

#include <node_api.h>
#include <stdbool.h>

/* The pointer the library wants for `value`; NULL with a TypeError or
 * RangeError thrown. With `from_view` (macOS) the value is an NSView * and
 * the result is its window. */
void *axn_window_handle(napi_env env, napi_value value, bool from_view);

#endif
