/* Declaration sysroot: creating and posting Quartz events. Posting needs
 * the user's permission to control the computer. */
#ifndef CGEVENT_H_
#define CGEVENT_H_

#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGEventTypes.h>
#include <CoreGraphics/CGGeometry.h>

CG_EXTERN_C_BEGIN
CF_IMPLICIT_BRIDGING_ENABLED

typedef unsigned long UniCharCount;

CG_EXTERN CFTypeID CGEventGetTypeID(void);
CG_EXTERN CGEventRef CGEventCreate(CGEventSourceRef source);
CG_EXTERN CGEventRef CGEventCreateKeyboardEvent(CGEventSourceRef source, CGKeyCode key, bool keyDown);
CG_EXTERN CGEventRef CGEventCreateMouseEvent(CGEventSourceRef source, CGEventType type,
                                             CGPoint location, CGMouseButton button);
CG_EXTERN CGEventType CGEventGetType(CGEventRef event);
CG_EXTERN void CGEventSetType(CGEventRef event, CGEventType type);
CG_EXTERN CGPoint CGEventGetLocation(CGEventRef event);
CG_EXTERN CGEventFlags CGEventGetFlags(CGEventRef event);
CG_EXTERN void CGEventSetFlags(CGEventRef event, CGEventFlags flags);
CG_EXTERN int64_t CGEventGetIntegerValueField(CGEventRef event, CGEventField field);
CG_EXTERN void CGEventSetIntegerValueField(CGEventRef event, CGEventField field, int64_t value);
CG_EXTERN void CGEventKeyboardSetUnicodeString(CGEventRef event, UniCharCount length,
                                               const UniChar *text);
CG_EXTERN void CGEventPost(CGEventTapLocation tap, CGEventRef event);
CG_EXTERN void CGEventPostToPid(pid_t pid, CGEventRef event);

/* Whether this process may post events; the request shows the prompt. */
CG_EXTERN bool CGPreflightPostEventAccess(void) __attribute__((availability(macos, introduced = 10.15)));
CG_EXTERN bool CGRequestPostEventAccess(void) __attribute__((availability(macos, introduced = 10.15)));

CF_IMPLICIT_BRIDGING_DISABLED
CG_EXTERN_C_END

#endif /* CGEVENT_H_ */
