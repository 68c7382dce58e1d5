// Strings between the system and the library: the system's are UTF-16,
// the library's UTF-8. A surrogate that isn't half of a pair (text from
// another application may have one) becomes one U+FFFD, so that the text
// keeps one character for each unit the system counts; the library's
// strings are well-formed UTF-8 and become system strings as they are.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <string>
#include <string_view>

#include "cf_ref.h"

namespace axt::macdesk {

// The UTF-8 form of the string; empty for null.
std::string toUtf8(CFStringRef text);

// A system string of the UTF-8 text; ill-formed bytes are repaired first.
CFRef<CFStringRef> makeCFString(std::string_view utf8);

}  // namespace axt::macdesk
