/* Declaration sysroot: Core Foundation attributed strings (text with
 * attributes over ranges), as accessibility returns them. */
#ifndef __COREFOUNDATION_CFATTRIBUTEDSTRING__
#define __COREFOUNDATION_CFATTRIBUTEDSTRING__

#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFDictionary.h>
#include <CoreFoundation/CFString.h>

CF_EXTERN_C_BEGIN
CF_IMPLICIT_BRIDGING_ENABLED

typedef const struct CF_BRIDGED_TYPE(NSAttributedString) __CFAttributedString *CFAttributedStringRef;

CF_EXPORT CFTypeID CFAttributedStringGetTypeID(void);
CF_EXPORT CFAttributedStringRef CFAttributedStringCreate(CFAllocatorRef allocator, CFStringRef string,
                                                         CFDictionaryRef attributes);
CF_EXPORT CFIndex CFAttributedStringGetLength(CFAttributedStringRef string);
/* The plain text; valid while the attributed string is. */
CF_EXPORT CFStringRef CFAttributedStringGetString(CFAttributedStringRef string);

CF_IMPLICIT_BRIDGING_DISABLED
CF_EXTERN_C_END

#endif /* __COREFOUNDATION_CFATTRIBUTEDSTRING__ */
