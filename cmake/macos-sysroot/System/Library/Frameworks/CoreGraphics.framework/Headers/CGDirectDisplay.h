/* Declaration sysroot: displays. The main display's bounds have their
 * origin at the top left of the global display space. */
#ifndef CGDIRECTDISPLAY_H_
#define CGDIRECTDISPLAY_H_

#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGGeometry.h>

CG_EXTERN_C_BEGIN

typedef uint32_t CGDirectDisplayID;

CG_EXTERN CGDirectDisplayID CGMainDisplayID(void);
CG_EXTERN CGRect CGDisplayBounds(CGDirectDisplayID display);

CG_EXTERN_C_END

#endif /* CGDIRECTDISPLAY_H_ */
