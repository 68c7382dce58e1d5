/* Declaration sysroot for cross-building axtrack: sending a message from C.
 * objc_msgSend is called through a pointer cast to the method's own type
 * (receiver, selector, then the method's arguments). */
#ifndef _OBJC_MESSAGE_H_
#define _OBJC_MESSAGE_H_

#include <objc/objc.h>

OBJC_EXPORT id objc_msgSend(id self, SEL op, ...);

#endif /* _OBJC_MESSAGE_H_ */
