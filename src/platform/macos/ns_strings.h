// Foundation strings between AppKit and the library (Objective-C++ only):
// an NSString is the system's string, converted as cf_strings.h converts.
#pragma once

#import <Foundation/Foundation.h>

#include <string>
#include <string_view>

#include "cf_strings.h"

namespace axt::macdesk {

inline std::string fromNSString(NSString* text) { return toUtf8((__bridge CFStringRef)text); }

inline NSString* toNSString(std::string_view utf8) {
  const CFRef<CFStringRef> text = makeCFString(utf8);
  // Retained by ARC as it is returned, before the holder lets go.
  return (__bridge NSString*)text.get();
}

}  // namespace axt::macdesk
