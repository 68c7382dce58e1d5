/* Declaration sysroot: event sources. */
#ifndef CGEVENTSOURCE_H_
#define CGEVENTSOURCE_H_

#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGEventTypes.h>
#include <CoreFoundation/CFDate.h>

CG_EXTERN_C_BEGIN
CF_IMPLICIT_BRIDGING_ENABLED

CG_EXTERN CFTypeID CGEventSourceGetTypeID(void);
CG_EXTERN CGEventSourceRef CGEventSourceCreate(CGEventSourceStateID state);
CG_EXTERN CGEventSourceStateID CGEventSourceGetSourceStateID(CGEventSourceRef source);
CG_EXTERN CGEventFlags CGEventSourceFlagsState(CGEventSourceStateID state);
CG_EXTERN bool CGEventSourceKeyState(CGEventSourceStateID state, CGKeyCode key);
CG_EXTERN CFTimeInterval CGEventSourceSecondsSinceLastEventType(CGEventSourceStateID state,
                                                                CGEventType type);

CF_IMPLICIT_BRIDGING_DISABLED
CG_EXTERN_C_END

#endif /* CGEVENTSOURCE_H_ */
