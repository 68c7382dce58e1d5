/* Declaration sysroot for cross-building axtrack: AppKit's export macro.
 * The AppKit headers here are written from Apple's public documentation
 * and declare only what this project uses. */
#ifndef _APPKIT_APPKITDEFINES_H_
#define _APPKIT_APPKITDEFINES_H_

#include <Foundation/NSObjCRuntime.h>

#define APPKIT_EXTERN CF_EXPORT

#endif /* _APPKIT_APPKITDEFINES_H_ */
