/* Declaration sysroot: Foundation, the parts this project uses. */
#ifndef _FOUNDATION_FOUNDATION_H_
#define _FOUNDATION_FOUNDATION_H_

#include <CoreFoundation/CoreFoundation.h>
#include <Foundation/NSObjCRuntime.h>
#if defined(__OBJC__)
#include <Foundation/NSObject.h>
#include <Foundation/NSArray.h>
#include <Foundation/NSAttributedString.h>
#include <Foundation/NSData.h>
#include <Foundation/NSDate.h>
#include <Foundation/NSDictionary.h>
#include <Foundation/NSEnumerator.h>
#include <Foundation/NSException.h>
#include <Foundation/NSGeometry.h>
#include <Foundation/NSNotification.h>
#include <Foundation/NSNull.h>
#include <Foundation/NSRange.h>
#include <Foundation/NSRunLoop.h>
#include <Foundation/NSString.h>
#include <Foundation/NSThread.h>
#include <Foundation/NSURL.h>
#include <Foundation/NSValue.h>
#endif

#endif /* _FOUNDATION_FOUNDATION_H_ */
