/* Declaration sysroot: AppKit, the parts this project uses. */
#ifndef _APPKIT_APPKIT_H_
#define _APPKIT_APPKIT_H_

#include <Foundation/Foundation.h>
#include <ApplicationServices/ApplicationServices.h>
#if defined(__OBJC__)
#include <AppKit/AppKitDefines.h>
#include <AppKit/NSApplication.h>
#include <AppKit/NSEvent.h>
#include <AppKit/NSPasteboard.h>
#include <AppKit/NSResponder.h>
#include <AppKit/NSRunningApplication.h>
#include <AppKit/NSScreen.h>
#include <AppKit/NSTrackingArea.h>
#include <AppKit/NSView.h>
#include <AppKit/NSWindow.h>
#include <AppKit/NSWorkspace.h>
#endif

#endif /* _APPKIT_APPKIT_H_ */
