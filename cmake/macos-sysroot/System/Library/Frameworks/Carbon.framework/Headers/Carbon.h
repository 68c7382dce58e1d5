/* Declaration sysroot: Carbon, reduced to the event manager's hot keys and
 * handlers and the key codes, with the frameworks it builds on. */
#ifndef __CARBON__
#define __CARBON__

#include <ApplicationServices/ApplicationServices.h>
#include <Carbon/CarbonEvents.h>
#include <Carbon/Events.h>

#endif /* __CARBON__ */
