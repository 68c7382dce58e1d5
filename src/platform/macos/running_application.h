// The seam's running application for an NSRunningApplication, which it
// keeps (Objective-C++ only).
#pragma once

#import <AppKit/AppKit.h>

#include "platform/platform.h"

namespace axt::macdesk {

// Null for nil.
platform::RunningApplicationRef wrapRunningApplication(NSRunningApplication* application);

}  // namespace axt::macdesk
