/* Declaration sysroot: ApplicationServices, the umbrella of the
 * accessibility API (its HIServices part), with Core Foundation and Core
 * Graphics, as this project uses them. */
#ifndef __APPLICATIONSERVICES__
#define __APPLICATIONSERVICES__

#include <CoreFoundation/CoreFoundation.h>
#include <CoreGraphics/CoreGraphics.h>
#include <ApplicationServices/AXError.h>
#include <ApplicationServices/AXConstants.h>
#include <ApplicationServices/AXTextMarker.h>
#include <ApplicationServices/AXUIElement.h>
#include <ApplicationServices/AXValue.h>

#endif /* __APPLICATIONSERVICES__ */
