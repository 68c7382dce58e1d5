/* Declaration sysroot: accessibility elements and observers.
 *
 * An element (AXUIElementRef) stands for an object of another application's
 * user interface; its attributes are read and written by name. An observer
 * (AXObserverRef) delivers an application's notifications through a run-loop
 * source. Only a process the user has trusted for accessibility may use
 * either; AXIsProcessTrustedWithOptions asks. */
#ifndef __AXUIELEMENT__
#define __AXUIELEMENT__

#include <CoreFoundation/CoreFoundation.h>
#include <ApplicationServices/AXError.h>

CF_EXTERN_C_BEGIN
CF_IMPLICIT_BRIDGING_ENABLED

/* Whether this process is trusted; with the option below set to true, the
 * system also prompts the user when it is not. */
extern Boolean AXIsProcessTrustedWithOptions(CFDictionaryRef options);
extern Boolean AXIsProcessTrusted(void);
/* Key of AXIsProcessTrustedWithOptions's dictionary; a CFBoolean value. */
extern const CFStringRef kAXTrustedCheckOptionPrompt;

typedef const struct CF_BRIDGED_TYPE(id) __AXUIElement *AXUIElementRef;

typedef CF_OPTIONS(UInt32, AXCopyMultipleAttributeOptions) {
  kAXCopyMultipleAttributeOptionStopOnError = 0x1
};

extern CFTypeID AXUIElementGetTypeID(void);
extern AXUIElementRef AXUIElementCreateApplication(pid_t pid);
extern AXUIElementRef AXUIElementCreateSystemWide(void);
extern AXError AXUIElementGetPid(AXUIElementRef element, pid_t *pid);

extern AXError AXUIElementCopyAttributeNames(AXUIElementRef element, CFArrayRef *names);
extern AXError AXUIElementCopyAttributeValue(AXUIElementRef element, CFStringRef attribute,
                                             CFTypeRef *value);
extern AXError AXUIElementGetAttributeValueCount(AXUIElementRef element, CFStringRef attribute,
                                                 CFIndex *count);
extern AXError AXUIElementCopyAttributeValues(AXUIElementRef element, CFStringRef attribute,
                                              CFIndex index, CFIndex maxValues, CFArrayRef *values);
extern AXError AXUIElementCopyMultipleAttributeValues(AXUIElementRef element, CFArrayRef attributes,
                                                      AXCopyMultipleAttributeOptions options,
                                                      CFArrayRef *values);
extern AXError AXUIElementIsAttributeSettable(AXUIElementRef element, CFStringRef attribute,
                                              Boolean *settable);
extern AXError AXUIElementSetAttributeValue(AXUIElementRef element, CFStringRef attribute,
                                            CFTypeRef value);
extern AXError AXUIElementCopyParameterizedAttributeNames(AXUIElementRef element, CFArrayRef *names);
extern AXError AXUIElementCopyParameterizedAttributeValue(AXUIElementRef element,
                                                          CFStringRef attribute,
                                                          CFTypeRef parameter, CFTypeRef *result);
extern AXError AXUIElementCopyActionNames(AXUIElementRef element, CFArrayRef *names);
extern AXError AXUIElementCopyActionDescription(AXUIElementRef element, CFStringRef action,
                                                CFStringRef *description);
extern AXError AXUIElementPerformAction(AXUIElementRef element, CFStringRef action);
/* The element at a point of the global display space (top-left origin). */
extern AXError AXUIElementCopyElementAtPosition(AXUIElementRef application, float x, float y,
                                                AXUIElementRef *element);
/* Seconds to wait for an application's answer; 0 restores the default, and
 * on the system-wide element the timeout applies to every element. */
extern AXError AXUIElementSetMessagingTimeout(AXUIElementRef element, float timeoutInSeconds);

typedef struct CF_BRIDGED_TYPE(id) __AXObserver *AXObserverRef;

typedef void (*AXObserverCallback)(AXObserverRef observer, AXUIElementRef element,
                                   CFStringRef notification, void *refcon);
typedef void (*AXObserverCallbackWithInfo)(AXObserverRef observer, AXUIElementRef element,
                                           CFStringRef notification, CFDictionaryRef info,
                                           void *refcon);

extern CFTypeID AXObserverGetTypeID(void);
extern AXError AXObserverCreate(pid_t application, AXObserverCallback callback,
                                AXObserverRef *observer);
extern AXError AXObserverCreateWithInfoCallback(pid_t application,
                                                AXObserverCallbackWithInfo callback,
                                                AXObserverRef *observer);
extern AXError AXObserverAddNotification(AXObserverRef observer, AXUIElementRef element,
                                         CFStringRef notification, void *refcon);
extern AXError AXObserverRemoveNotification(AXObserverRef observer, AXUIElementRef element,
                                            CFStringRef notification);
/* Not retained: valid while the observer is. */
extern CFRunLoopSourceRef AXObserverGetRunLoopSource(AXObserverRef observer);

CF_IMPLICIT_BRIDGING_DISABLED
CF_EXTERN_C_END

#endif /* __AXUIELEMENT__ */
