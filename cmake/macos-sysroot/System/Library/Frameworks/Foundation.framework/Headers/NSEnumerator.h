/* Declaration sysroot: enumeration, including the protocol behind
 * `for (id item in collection)`. */
#ifndef _FOUNDATION_NSENUMERATOR_H_
#define _FOUNDATION_NSENUMERATOR_H_

#include <Foundation/NSObject.h>

typedef struct {
  unsigned long state;
  id __unsafe_unretained *itemsPtr;
  unsigned long *mutationsPtr;
  unsigned long extra[5];
} NSFastEnumerationState;

@protocol NSFastEnumeration
- (NSUInteger)countByEnumeratingWithState:(NSFastEnumerationState *)state
                                  objects:(id __unsafe_unretained[])buffer
                                    count:(NSUInteger)length;
@end

@interface NSEnumerator<ObjectType> : NSObject <NSFastEnumeration>
- (ObjectType)nextObject;
@end

#endif /* _FOUNDATION_NSENUMERATOR_H_ */
