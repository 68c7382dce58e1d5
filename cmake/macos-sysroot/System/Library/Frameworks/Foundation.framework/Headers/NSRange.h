/* Declaration sysroot: ranges of indexes. */
#ifndef _FOUNDATION_NSRANGE_H_
#define _FOUNDATION_NSRANGE_H_

#include <Foundation/NSObjCRuntime.h>

typedef struct _NSRange {
  NSUInteger location;
  NSUInteger length;
} NSRange;
typedef NSRange *NSRangePointer;

NS_INLINE NSRange NSMakeRange(NSUInteger location, NSUInteger length) {
  NSRange range;
  range.location = location;
  range.length = length;
  return range;
}

NS_INLINE NSUInteger NSMaxRange(NSRange range) { return range.location + range.length; }

NS_INLINE BOOL NSLocationInRange(NSUInteger location, NSRange range) {
  return (!(location < range.location) && (location - range.location) < range.length) ? YES : NO;
}

NS_INLINE BOOL NSEqualRanges(NSRange first, NSRange second) {
  return (first.location == second.location && first.length == second.length) ? YES : NO;
}

#endif /* _FOUNDATION_NSRANGE_H_ */
