/* Declaration sysroot: the few Objective-C runtime functions this project
 * may call directly. */
#ifndef _OBJC_RUNTIME_H_
#define _OBJC_RUNTIME_H_

#include <objc/objc.h>

#if defined(__OBJC__)
@class Protocol;
#else
typedef struct objc_object Protocol;
#endif

OBJC_EXPORT Class objc_getClass(const char *name);
OBJC_EXPORT Class objc_lookUpClass(const char *name);
OBJC_EXPORT Protocol *objc_getProtocol(const char *name);
OBJC_EXPORT Class object_getClass(id object);
OBJC_EXPORT const char *class_getName(Class cls);

#endif /* _OBJC_RUNTIME_H_ */
