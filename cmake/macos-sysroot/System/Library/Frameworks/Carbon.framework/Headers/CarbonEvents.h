/* Declaration sysroot for cross-building axtrack: the Carbon event manager
 * (HIToolbox, part of Carbon) as far as global hot keys and application
 * event handlers go. Written from Apple's public documentation. */
#ifndef __CARBONEVENTS__
#define __CARBONEVENTS__

#include <CoreFoundation/CoreFoundation.h>

CF_EXTERN_C_BEGIN

typedef struct OpaqueEventRef *EventRef;
typedef struct OpaqueEventTargetRef *EventTargetRef;
typedef struct OpaqueEventHandlerRef *EventHandlerRef;
typedef struct OpaqueEventHandlerCallRef *EventHandlerCallRef;
typedef struct OpaqueEventHotKeyRef *EventHotKeyRef;

typedef OSType EventParamName;
typedef OSType EventParamType;

/* One kind of event a handler wants: its class and its kind. */
struct EventTypeSpec {
  OSType eventClass;
  UInt32 eventKind;
};
typedef struct EventTypeSpec EventTypeSpec;

/* What a hot-key event carries to tell which registration fired. */
struct EventHotKeyID {
  OSType signature;
  UInt32 id;
};
typedef struct EventHotKeyID EventHotKeyID;

/* Event classes, and the keyboard class's kinds. */
enum {
  kEventClassKeyboard = 'keyb',
  kEventClassApplication = 'appl',
  kEventClassMouse = 'mous',
  kEventClassWindow = 'wind',
  kEventClassCommand = 'cmds'
};
enum {
  kEventRawKeyDown = 1,
  kEventRawKeyRepeat = 2,
  kEventRawKeyUp = 3,
  kEventRawKeyModifiersChanged = 4,
  kEventHotKeyPressed = 5,
  kEventHotKeyReleased = 6
};

/* Parameter names and types. */
enum {
  kEventParamDirectObject = '----',
  kEventParamKeyCode = 'kcod',
  kEventParamKeyModifiers = 'kmod',
  typeEventHotKeyID = 'hkid',
  typeUInt32 = 'magn'
};

/* RegisterEventHotKey options. */
enum {
  kEventHotKeyNoOptions = 0,
  kEventHotKeyExclusive = 1 << 0
};

/* Results. */
enum {
  eventParameterNotFoundErr = -9870,
  eventNotHandledErr = -9874,
  eventHotKeyExistsErr = -9878,
  eventHotKeyInvalidErr = -9879
};

typedef OSStatus (*EventHandlerProcPtr)(EventHandlerCallRef call, EventRef event, void *userData);
/* On the 64-bit architectures a universal procedure pointer is the plain
 * function pointer. */
typedef EventHandlerProcPtr EventHandlerUPP;
CF_INLINE EventHandlerUPP NewEventHandlerUPP(EventHandlerProcPtr procedure) { return procedure; }
CF_INLINE void DisposeEventHandlerUPP(EventHandlerUPP procedure) { (void)procedure; }

extern EventTargetRef GetApplicationEventTarget(void);
extern EventTargetRef GetEventDispatcherTarget(void);

extern OSType GetEventClass(EventRef event);
extern UInt32 GetEventKind(EventRef event);
extern OSStatus GetEventParameter(EventRef event, EventParamName name, EventParamType desiredType,
                                  EventParamType *actualType, ByteCount bufferSize,
                                  ByteCount *actualSize, void *data);

extern OSStatus InstallEventHandler(EventTargetRef target, EventHandlerUPP handler,
                                    ItemCount numTypes, const EventTypeSpec *list, void *userData,
                                    EventHandlerRef *outRef);
extern OSStatus RemoveEventHandler(EventHandlerRef handler);
extern OSStatus CallNextEventHandler(EventHandlerCallRef call, EventRef event);
#define InstallApplicationEventHandler(handler, numTypes, list, userData, outRef) \
  InstallEventHandler(GetApplicationEventTarget(), (handler), (numTypes), (list), (userData), (outRef))

/* A system-wide key combination that sends kEventHotKeyPressed and
 * kEventHotKeyReleased to `target`. The modifiers are those of Events.h. */
extern OSStatus RegisterEventHotKey(UInt32 keyCode, UInt32 modifiers, EventHotKeyID hotKeyID,
                                    EventTargetRef target, OptionBits options,
                                    EventHotKeyRef *outRef);
extern OSStatus UnregisterEventHotKey(EventHotKeyRef hotKey);

CF_EXTERN_C_END

#endif /* __CARBONEVENTS__ */
